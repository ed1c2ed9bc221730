#include "keying/speaker.h"

#include <cmath>
#include <limits>

namespace kelvatron {

namespace {

// Nearest whole number, halves to even, held in 32 bits (out-of-range values saturate).
int32_t roundToInt32(double value) {
    if (std::isnan(value)) return 0;
    double r = std::nearbyint(value);
    if (r <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    if (r >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(r);
}

} // namespace

void speakerOn(SpeakerHardware& hardware, uint16_t frequency) {
    if (frequency <= 18) return;
    uint32_t divisor = kSpeakerTimerClock / frequency;
    hardware.writePort(kSpeakerControlPort, kSpeakerControlByte);
    hardware.writePort(kSpeakerDataPort, static_cast<uint8_t>(divisor & 0xFF));
    hardware.writePort(kSpeakerDataPort, static_cast<uint8_t>(divisor >> 8));
    hardware.writePort(kSpeakerGatePort, hardware.readPort(kSpeakerGatePort) | 0x03);
}

void speakerOff(SpeakerHardware& hardware) {
    hardware.writePort(kSpeakerGatePort, hardware.readPort(kSpeakerGatePort) & 0xFC);
}

void soundSpeakerTone(SpeakerHardware& hardware, Clock& clock, double frequency, double duration) {
    const int32_t f = roundToInt32(frequency);
    const int32_t d = roundToInt32(duration);
    if (hardware.hasBeepService()) {
        hardware.beep(f, d);
        return;
    }
    speakerOn(hardware, static_cast<uint16_t>(f));
    clock.sleep(d);
    speakerOff(hardware);
}

} // namespace kelvatron
