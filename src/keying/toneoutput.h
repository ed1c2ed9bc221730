#pragma once
#include <cstdint>
#include <optional>

#include "tonegen/tonetypes.h"

namespace kelvatron {

class Clock;
class SpeakerHardware;
class TToneGen;

// Where an element goes: the live devices, or a recorder that lays elements on a timeline.
// Both calls return when the element has ended.
class ToneOutput {
public:
    virtual ~ToneOutput() = default;
    virtual void speakerTone(int32_t frequencyHz, int32_t durationMs) = 0;
    // The tone generator's frequency, its waveform when one is given, and the duration it
    // holds (a duration that reads as 0 or below sounds nothing).
    virtual void cardTone(int16_t frequency, std::optional<TTGWave> waveform,
                          uint16_t durationMs) = 0;
    // Whether the tones answer a key of the hand and should sound at once (see PromptTones);
    // returns the choice before. A recorder has no latency to skip.
    virtual bool setPromptTones(bool /*on*/) { return false; }
};

// The live devices: the speaker through its hardware, the sound card through a tone generator
// that plays synchronously.
class ToneGenOutput : public ToneOutput {
public:
    ToneGenOutput(TToneGen& toneGen, SpeakerHardware& speaker, Clock& clock);

    void speakerTone(int32_t frequencyHz, int32_t durationMs) override;
    void cardTone(int16_t frequency, std::optional<TTGWave> waveform, uint16_t durationMs) override;
    bool setPromptTones(bool on) override;

private:
    TToneGen& toneGen_;
    SpeakerHardware& speaker_;
    Clock& clock_;
};

} // namespace kelvatron
