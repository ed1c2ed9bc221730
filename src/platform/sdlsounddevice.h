#pragma once
#include <SDL_audio.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "audio/spscqueue.h"
#include "audio/streamclock.h"
#include "audio/timelinedevice.h"
#include "audio/tonetimeline.h"

namespace kelvatron {

// The sound card through SDL's audio subsystem: one float stereo stream open for the program's
// life, mixed from a ToneTimeline on SDL's sound thread (TimelineSoundDevice places the tones).
// It is the output where no sound server is reachable, and SDL's disk and dummy drivers record
// or discard the stream for tests.
//
// The sound thread takes no lock and neither allocates nor frees. It runs at real-time priority
// where the system allows, and a stream that ran dry is noticed and reopened with a longer block
// before the next tone that starts afresh.
//
// Without a sound device the program runs on silently: synchronous plays still take the tone's
// length on the clock, and unavailableReason() says why.
class SdlSoundDevice : public TimelineSoundDevice {
public:
    struct Options {
        uint32_t rate = 48000;
        // SDL asks the sound server to hold about one block. Even with the sound thread at
        // real-time priority, 512 frames (10.7 ms) ran dry on a busy two-core machine, so a real
        // output keeps 2048 (42.7 ms); a stream that runs dry doubles it.
        // 0 chooses by driver: that for a real output, kRecorderBlockFrames for SDL's disk and
        // dummy drivers, which pace themselves in whole milliseconds and so drift by a few per
        // cent at small blocks.
        uint16_t blockFrames = 0;
        // Placement margin beyond one block: how late the program may be on its own schedule
        // without the listener hearing it.
        double marginMs = 12;
        // The block is never grown beyond this.
        uint16_t largestBlockFrames = 4096;
    };

    static constexpr uint16_t kOutputBlockFrames = 2048;
    static constexpr uint16_t kRecorderBlockFrames = 2048;

    explicit SdlSoundDevice(Clock& clock) : SdlSoundDevice(clock, Options{}) {}
    SdlSoundDevice(Clock& clock, Options options);
    ~SdlSoundDevice() override;
    SdlSoundDevice(const SdlSoundDevice&) = delete;
    SdlSoundDevice& operator=(const SdlSoundDevice&) = delete;

    bool available() const { return device_ != 0; }
    // Empty while sound works; otherwise a sentence for the status bar.
    const std::string& unavailableReason() const { return unavailableReason_; }
    uint16_t blockFrames() const { return blockFrames_; }
    // Times the stream ran dry since it was opened.
    uint32_t underruns() const { return underruns_.load(std::memory_order_relaxed); }

private:
    bool outputOpen() const override { return device_ != 0; }
    bool outputRunning() const override { return running_.load(std::memory_order_acquire); }
    double originMs() const override { return originMs_.load(std::memory_order_relaxed); }
    // From a tone's moment on the schedule to its first sample entering the stream.
    double placementLatencyMs() const override {
        return blockFrames_ * 1000.0 / options_.rate + options_.marginMs;
    }
    double marginMs() const override { return options_.marginMs; }
    bool pushPlaced(const TimelineEvent& event) override { return requests_.push(event); }
    bool pushLive(const TimelineEvent& event) override { return requests_.push(event); }
    void startingAfresh() override { growIfStarved(); }

    static void SDLCALL fillBlock(void* self, Uint8* stream, int length);
    void mixBlock(float* out, int frames);
    void noticeUnderrun(double wallMs);

    void open(uint16_t blockFrames);
    void close();
    void giveUp(const std::string& why);
    void growIfStarved();

    Options options_;
    SDL_AudioDeviceID device_ = 0;
    bool subsystemUp_ = false;
    uint16_t blockFrames_ = 0;
    std::string unavailableReason_;

    // The calling thread's own.
    uint32_t underrunsSeen_ = 0;

    // Between the two threads, without a lock.
    SpscQueue<TimelineEvent, kSlots> requests_;
    std::atomic<double> originMs_{0}; // the stream clock's estimate, published per block
    std::atomic<bool> running_{false};
    std::atomic<uint32_t> underruns_{0};

    // The sound thread's own.
    StreamClock streamClock_;
    ToneTimeline timeline_;
    int64_t mixed_ = 0;
    bool starving_ = false;
    bool prioritySet_ = false;
};

} // namespace kelvatron
