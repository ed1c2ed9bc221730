#pragma once
#include <SDL_audio.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "core/clock.h"
#include "platform/streamclock.h"
#include "platform/tonetimeline.h"
#include "tonegen/sounddevice.h"

namespace kelvatron {

// The sound card through SDL's audio subsystem: one float stereo stream open for the program's
// life, on which every tone is placed at the frame that corresponds to the moment it was asked
// for plus a fixed latency. So the silences between tones are as long as the waits that made
// them, and every tone lasts exactly as many samples as its image holds.
//
// A synchronous play returns when the tone's length has passed since it was placed (the
// listener hears it one latency later); a stop or a volume change is placed the same way.
// Without a sound device the program runs on silently: synchronous plays still take the tone's
// length on the clock, and unavailableReason() says why.
//
// The clock's now() is read on SDL's sound thread too.
class SdlSoundDevice : public SoundDevice {
public:
    struct Options {
        uint32_t rate = 48000;
        // 2048 frames at 48 kHz (43 ms) is the smallest block that a busy two-core machine with a
        // sound server fills without dropouts.
        uint16_t blockFrames = 2048;
        // Placement margin beyond one block; it also bounds how much of our own late waking
        // after a synchronous tone is made up for (see playSound).
        double marginMs = 10;
    };

    explicit SdlSoundDevice(Clock& clock) : SdlSoundDevice(clock, Options{}) {}
    SdlSoundDevice(Clock& clock, Options options);
    ~SdlSoundDevice() override;
    SdlSoundDevice(const SdlSoundDevice&) = delete;
    SdlSoundDevice& operator=(const SdlSoundDevice&) = delete;

    void playSound(std::span<const uint8_t> waveImage, uint32_t flags) override;
    void stopSound() override;
    bool hasLeftRightVolume() override { return true; }
    uint32_t getVolume() override { return volume_; }
    void setVolume(uint32_t volume) override;

    bool available() const { return device_ != 0; }
    // Empty while sound works; otherwise a sentence for the status bar.
    const std::string& unavailableReason() const { return unavailableReason_; }
    // From a tone being asked for to its first sample entering the stream.
    double latencyMs() const { return streamClock_.latencyMs(); }
    uint32_t rate() const { return options_.rate; }
    uint16_t blockFrames() const { return blockFrames_; }
    // Whether the device has settled into its pace, so that tones land exactly where placed.
    // Until then (the first blocks after opening) a tone starts as soon as possible.
    bool streamRunning();

private:
    static void SDLCALL fillBlock(void* self, Uint8* stream, int length);
    void mixBlock(float* out, int frames);
    void open();
    void giveUp(const std::string& why);
    // Places the event at the frame for wallMs; returns that frame.
    int64_t schedule(TimelineEvent event, double wallMs);
    void waitUntil(double wallMs);
    double requestTime() const;

    Clock& clock_;
    Options options_;
    SDL_AudioDeviceID device_ = 0;
    bool subsystemUp_ = false;
    uint16_t blockFrames_ = 0;
    std::string unavailableReason_;
    uint32_t volume_ = 0xFFFFFFFFu;

    // Shared with the sound thread, under mutex_.
    std::mutex mutex_;
    StreamClock streamClock_;
    std::vector<TimelineEvent> pending_;
    int64_t lastPosition_ = 0;
    int64_t syncEnd_ = 0;       // the frame after the last synchronous tone
    double wakeLateness_ = 0;   // how late the last synchronous play returned, in ms

    // The sound thread's own.
    ToneTimeline timeline_;
    std::vector<TimelineEvent> inbox_;
    int64_t mixed_ = 0;
};

} // namespace kelvatron
