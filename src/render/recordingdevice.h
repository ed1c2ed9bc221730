#pragma once
#include <cstdint>
#include <vector>

#include "render/samplesink.h"
#include "render/virtualclock.h"
#include "tonegen/sounddevice.h"

namespace kelvatron {

// A sound device that plays into a sample timeline instead of a sound card. Each tone's samples
// start at the sample of the virtual clock's now; a synchronous play moves the clock on by
// exactly the tone's length in samples, as the sound card's play returns when the tone's samples
// have passed. At most one tone sounds at a time: a new play or a stop ends the one before at
// the current sample, and a looped tone repeats until then.
//
// What is final goes to the sink at once, silence included, so memory holds one tone and never
// the whole timeline. 8-bit images are widened to 16 bits exactly ((v - 128) * 256), two
// channels are averaged. The output volume is remembered but not applied: the file holds the
// tone generator's own samples, and the listener's player sets the loudness.
//
// A tone played with SND_DRY goes to the sink as dry samples (SampleSink::writeDry).
//
// An image that does not parse, or whose rate is not the timeline's, plays nothing and takes no
// time, as a malformed image does on the sound card.
class RecordingDevice : public SoundDevice {
public:
    RecordingDevice(VirtualClock& clock, SampleSink& sink) : clock_(clock), sink_(sink) {}

    void playSound(std::span<const uint8_t> waveImage, uint32_t flags) override;
    void stopSound() override;
    bool hasLeftRightVolume() override { return true; }
    uint32_t getVolume() override { return volume_; }
    void setVolume(uint32_t volume) override { volume_ = volume; }
    // Keying by hand has no place in a rendered exercise.
    void keyDown(int32_t, TTGWave) override {}
    void keyUp() override {}

    // Ends the timeline at the virtual now, or where a tone still sounding ends if that is
    // later (a looped tone ends now). Returns the timeline's length in samples.
    int64_t finish();
    // Samples handed to the sink so far.
    int64_t written() const { return written_; }

private:
    bool decode(std::span<const uint8_t> waveImage);
    // Hands everything before sample `to` to the sink.
    void flushUntil(int64_t to);
    void emitTone(int64_t to);
    void emitSilence(int64_t to);
    int64_t toneEnd() const { return toneStart_ + static_cast<int64_t>(tone_.size()); }

    VirtualClock& clock_;
    SampleSink& sink_;
    uint32_t volume_ = 0xFFFFFFFFu;
    int64_t written_ = 0;

    std::vector<int16_t> tone_;
    int64_t toneStart_ = 0;
    bool sounding_ = false;
    bool loop_ = false;
    bool dry_ = false; // the tone passes no stage of the sink's chain
};

} // namespace kelvatron
