#pragma once
#include <SDL_audio.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "audio/spscqueue.h"
#include "audio/streamclock.h"
#include "audio/tonetimeline.h"
#include "core/clock.h"
#include "tonegen/sounddevice.h"

namespace kelvatron {

// The sound card through SDL's audio subsystem: one float stereo stream open for the program's
// life, on which every tone is placed at the frame that corresponds to its moment on the
// program's own schedule (the clock's logical time) plus a fixed latency. So the silences
// between tones are as long as the waits that made them, however late the waiting thread woke,
// and every tone lasts exactly as many samples as its image holds. A program that fell behind
// by more than the latency's margin (a long pause, a blocked window) starts afresh from now.
//
// A synchronous play returns when the tone's length has passed on the schedule (the listener
// hears it one latency later); a stop or a volume change is placed the same way. The hand's
// live tone (keyDown/keyUp) skips the latency: it starts and stops at the first frame the
// device has not taken yet.
//
// The sound thread takes no lock and neither allocates nor frees: requests reach it through a
// queue of preallocated slots, and the tones it has finished with come back through another
// to be freed here. It runs at real-time priority where the system allows, and a stream that
// ran dry is noticed and reopened with a longer block before the next tone that starts afresh.
//
// Without a sound device the program runs on silently: synchronous plays still take the tone's
// length on the clock, and unavailableReason() says why.
class SdlSoundDevice : public SoundDevice, private ToneReturn {
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

    void playSound(std::span<const uint8_t> waveImage, uint32_t flags) override;
    void stopSound() override;
    bool hasLeftRightVolume() override { return true; }
    uint32_t getVolume() override { return volume_; }
    void setVolume(uint32_t volume) override;
    void keyDown(int32_t frequency, TTGWave waveform) override;
    void keyUp() override;

    bool available() const { return device_ != 0; }
    // Empty while sound works; otherwise a sentence for the status bar.
    const std::string& unavailableReason() const { return unavailableReason_; }
    // From a tone's moment on the schedule to its first sample entering the stream.
    double latencyMs() const { return blockFrames_ * 1000.0 / options_.rate + options_.marginMs; }
    uint32_t rate() const { return options_.rate; }
    uint16_t blockFrames() const { return blockFrames_; }
    // Times the stream ran dry since it was opened.
    uint32_t underruns() const { return underruns_.load(std::memory_order_relaxed); }
    // Whether the device has settled into its pace, so that tones land exactly where placed.
    // Until then (the first blocks after opening) a tone starts as soon as possible.
    bool streamRunning() const { return running_.load(std::memory_order_acquire); }

private:
    static void SDLCALL fillBlock(void* self, Uint8* stream, int length);
    void mixBlock(float* out, int frames);
    void noticeUnderrun(double wallMs);
    void finished(const ToneSamples* tone) override;

    void open(uint16_t blockFrames);
    void close();
    void giveUp(const std::string& why);
    // The moment on the schedule at which a request made now belongs.
    double scheduledNow();
    // Places the event at the frame for wallMs; returns that frame.
    int64_t schedule(TimelineEvent event, double wallMs);
    bool send(const TimelineEvent& event);
    void freeFinished();
    void growIfStarved();

    Clock& clock_;
    Options options_;
    SDL_AudioDeviceID device_ = 0;
    bool subsystemUp_ = false;
    uint16_t blockFrames_ = 0;
    std::string unavailableReason_;
    uint32_t volume_ = 0xFFFFFFFFu;

    // The calling thread's own.
    int64_t lastPosition_ = 0;
    int64_t syncEnd_ = 0; // the frame after the last synchronous tone
    double carryMs_ = 0;  // fractions of a millisecond of tone lengths not yet slept
    size_t tonesOut_ = 0; // tones handed to the sound thread and not yet back
    uint32_t underrunsSeen_ = 0;

    // Between the two threads, without a lock.
    static constexpr size_t kSlots = 1024;
    SpscQueue<TimelineEvent, kSlots> requests_;
    SpscQueue<const ToneSamples*, kSlots> finished_;
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
