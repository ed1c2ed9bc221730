#pragma once
#include <cstdint>

#include "core/clock.h"

namespace kelvatron {

// What the machine offers for the PC speaker: either a service that sounds a tone and returns
// when it has ended, or the interval timer and speaker gate behind I/O ports.
class SpeakerHardware {
public:
    virtual ~SpeakerHardware() = default;
    // Whether tones go through the beep service; asked afresh for every tone.
    virtual bool hasBeepService() = 0;
    // Sounds frequency Hz for duration ms and returns when the tone has ended.
    virtual void beep(int32_t frequency, int32_t duration) = 0;
    virtual uint8_t readPort(uint16_t port) = 0;
    virtual void writePort(uint16_t port, uint8_t value) = 0;
};

// The interval timer's input clock; the tone's divisor is this divided by the frequency.
inline constexpr uint32_t kSpeakerTimerClock = 1193180;
inline constexpr uint16_t kSpeakerControlPort = 0x43;
inline constexpr uint16_t kSpeakerDataPort = 0x42;
inline constexpr uint16_t kSpeakerGatePort = 0x61;
// Timer channel 2, low byte then high byte, square wave, binary counting.
inline constexpr uint8_t kSpeakerControlByte = 0xB6;

// Starts a continuous tone on the port path and returns at once. Frequencies of 18 Hz and below
// would need a divisor wider than 16 bits, so they touch no port at all.
void speakerOn(SpeakerHardware& hardware, uint16_t frequency);
// Closes the timer gate and the speaker data bit, keeping the other bits of the gate port.
void speakerOff(SpeakerHardware& hardware);
// Sounds a tone of frequency Hz for duration ms and returns when it has ended.
void soundSpeakerTone(SpeakerHardware& hardware, Clock& clock, double frequency, double duration);

} // namespace kelvatron
