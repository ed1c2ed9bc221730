#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;

namespace kelvatron::test {

// Records the default sink's monitor of the PulseAudio server in PULSE_SERVER (mono float at
// 48 kHz) through a record stream of a set fragment size: the fragment size is the latency the
// monitor asks of the sink, so a small one makes the sink itself run at a low latency. Every
// frame the sink mixed is kept, in order, so tones and silences are measured in exact frames.
// A frame's wall time (the steady clock, as SystemClock::now()) is estimated from the moments
// the fragments arrive: the earliest arrival for its place in the recording is taken.
class MonitorRecorder {
public:
    struct Tone {
        int64_t first, end; // frames at or above half the tone's level: [first, end)
        double lengthMs() const { return (end - first) * 1000.0 / kRate; }
    };

    explicit MonitorRecorder(double fragmentMs);
    ~MonitorRecorder();
    MonitorRecorder(const MonitorRecorder&) = delete;
    MonitorRecorder& operator=(const MonitorRecorder&) = delete;

    // Empty once the recording runs; otherwise what went wrong.
    const std::string& error() const { return error_; }
    int64_t frames() const;
    // The monitor's read position overtook the recording's: frames were lost.
    bool overflowed() const { return overflows_.load() > 0; }
    // The tones from frame `from` on, split by silences of more than 2 ms.
    std::vector<Tone> tones(int64_t from = 0) const;
    // The wall time at which the sink mixed `frame`, at most a fragment early.
    double wallMs(int64_t frame) const;
    // Waits until the recording holds what the sink mixed up to now (the monitor sends what
    // it holds a fragment at a time, and holds back what the sink may still take back).
    void catchUp() const;

    static constexpr uint32_t kRate = 48000;

private:
    static void arrived(pa_stream* stream, size_t bytes, void* self);

    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    std::string error_;
    mutable std::mutex mutex_;
    std::vector<float> samples_;
    double offsetMs_ = 1e300; // wall time of frame 0, the least seen
    std::atomic<int> overflows_{0};
};

} // namespace kelvatron::test
