#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "audio/livelanemixer.h"
#include "core/clock.h"

struct pw_thread_loop;
struct pw_context;
struct pw_core;
struct pw_stream;

namespace kelvatron {

// The live stream as a node of a PipeWire daemon: the hand's key and the prompt tones, written
// in the stream's real-time cycle at a small quantum (node.latency), so a key sounds a few
// milliseconds after it came without taking back anything written. The cycle takes no lock,
// neither allocates nor frees and makes no system call (LiveLaneMixer); requests come through
// its lock-free queue. The stream plays on while the program idles: a cycle of silence costs
// little, and a stream that never stops has no wake to get wrong.
class PipeWireLane {
public:
    struct Options {
        uint32_t rate = 48000;
        // Frames per cycle asked of the daemon (node.latency): 128 is 2.7 ms at 48 kHz.
        uint32_t quantum = 128;
        // From a key edge's moment to its sound: the edge's way through the window, one cycle
        // of waiting and one being played, and what the device holds, with room to spare.
        double keyDelayMs = 8;
    };

    PipeWireLane(Clock& clock, ToneReturn* returns, uint32_t volume, Options options);
    ~PipeWireLane();
    PipeWireLane(const PipeWireLane&) = delete;
    PipeWireLane& operator=(const PipeWireLane&) = delete;

    // Connects to the daemon and starts the stream; false when no daemon answers in time.
    bool open();
    bool push(const TimelineEvent& event) { return mixer_.push(event); }
    void followVolume(uint32_t volume) { mixer_.followVolume(volume); }
    // The cycle the daemon runs the stream at and the delay to the device, for a benchmark.
    std::string summary() const;
    uint32_t missedCycles() const { return missed_.load(std::memory_order_relaxed); }

private:
    static void process(void* self);
    static void stateChanged(void* self, int old, int state, const char* error);
    void close();

    Clock& clock_;
    Options options_;
    LiveLaneMixer mixer_;
    pw_thread_loop* loop_ = nullptr;
    pw_context* context_ = nullptr;
    pw_core* core_ = nullptr;
    pw_stream* stream_ = nullptr;
    std::unique_ptr<struct PipeWireListener> listener_;
    std::atomic<int> state_{0};
    std::atomic<uint32_t> missed_{0};
    std::atomic<int64_t> delayFrames_{0};
};

} // namespace kelvatron
