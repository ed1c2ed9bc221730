#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "audio/pulledstreammixer.h"
#include "audio/spscqueue.h"
#include "audio/timelinedevice.h"
#include "core/clock.h"

struct pw_thread_loop;
struct pw_context;
struct pw_core;
struct pw_stream;

namespace kelvatron {

// The sound card through a PipeWire daemon: one stream, a node the daemon pulls at a small
// quantum (node.latency 128/48000, 2.7 ms), mixed in the stream's real-time cycle. The hand's
// key and the prompt tones go into the next cycle, a few milliseconds after they came, so
// nothing written needs taking back (PipeWire, unlike PulseAudio, cannot take back what a
// stream gave it); placed tones land on their frames a placement latency after their moment.
//
// The cycle takes no lock, neither allocates nor frees and makes no system call
// (PulledStreamMixer); requests come through its lock-free queue and finished tones go back
// through TimelineSoundDevice. The stream plays on while the program idles: a cycle of silence
// costs little, and a stream that never stops has no wake to get wrong.
//
// Where no daemon answers in time, or it gives the stream no output, available() is false and
// the program turns to the next sound server.
class PipeWireSoundDevice : public TimelineSoundDevice {
public:
    struct Options {
        uint32_t rate = 48000;
        // Frames per cycle asked of the daemon (node.latency).
        uint32_t quantum = 128;
        // From a key edge's moment to its sound: the edge's way through the window, one cycle
        // of waiting and one being played, and what the device holds, with room to spare.
        double keyDelayMs = 8;
        // How late the program may be on its own schedule without the listener hearing it (the
        // window's thread now and then wakes 12 to 28 ms late), beyond what is mixed ahead.
        double marginMs = 50;
    };

    explicit PipeWireSoundDevice(Clock& clock) : PipeWireSoundDevice(clock, Options{}) {}
    PipeWireSoundDevice(Clock& clock, Options options);
    ~PipeWireSoundDevice() override;
    PipeWireSoundDevice(const PipeWireSoundDevice&) = delete;
    PipeWireSoundDevice& operator=(const PipeWireSoundDevice&) = delete;

    bool available() const { return open_; }
    // Empty while sound works; otherwise a sentence for a log.
    const std::string& unavailableReason() const { return unavailableReason_; }
    // The node's latency asked, the quantum the daemon runs it at and the delay to the device.
    std::string bufferSummary() const;
    // Cycles in which the stream had no buffer to fill.
    uint32_t missedCycles() const { return missed_.load(std::memory_order_relaxed); }
    // Cycles the daemon began a whole cycle late, so that its next one followed at once: the
    // daemon runs cycles back to back to catch up, and what a stream could not give in one of
    // them is a hole in the sound. A real-time thread that wakes late (a loaded machine, a
    // virtual one) does it; nothing a stream writes prevents it.
    uint32_t lateCycles() const { return lateCycles_.load(std::memory_order_relaxed); }
    // When the late cycles came, in ms of the clock, the oldest first (the first 256 kept).
    bool takeLateCycle(double& atMs) { return lateCycleTimes_.pop(atMs); }

private:
    bool outputOpen() const override { return open_; }
    bool outputRunning() const override { return mixer_.settled(); }
    double originMs() const override { return mixer_.publishedOriginMs(); }
    double placementLatencyMs() const override { return runLatencyMs_; }
    double marginMs() const override { return options_.marginMs; }
    double writtenAheadMs() const override;
    bool pushPlaced(const TimelineEvent& event) override { return mixer_.pushPlaced(event); }
    bool pushLive(const TimelineEvent& event) override { return mixer_.pushLive(event); }
    bool separateLiveStream() const override { return true; }
    void startingAfresh() override;

    bool connect();
    void close();
    static void process(void* self);
    void noteLateCycle(double nowMs, uint32_t frames, double startedLateMs);
    static void stateChanged(void* self, int old, int state, const char* error);

    Options options_;
    PulledStreamMixer mixer_;
    pw_thread_loop* loop_ = nullptr;
    pw_context* context_ = nullptr;
    pw_core* core_ = nullptr;
    pw_stream* stream_ = nullptr;
    std::unique_ptr<struct PipeWireListener> listener_;
    std::atomic<int> state_{0};
    std::atomic<uint32_t> missed_{0};
    std::atomic<int64_t> delayFrames_{0};
    std::atomic<uint32_t> lateCycles_{0};
    SpscQueue<double, 256> lateCycleTimes_;
    double lastCycleMs_ = -1; // the stream's cycle's own
    uint32_t lastCycleFrames_ = 0;
    bool open_ = false;
    std::string unavailableReason_;
    double runLatencyMs_; // the calling thread's own
};

} // namespace kelvatron
