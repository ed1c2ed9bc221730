// Records a sound server's monitor in 1 ms pieces on a thread of its own and finds the tones in
// it, each time-stamped on the steady clock: when its first sample reached this recorder, which
// is at most the recorder's own small buffer later than when the server mixed it. Used by the
// benchmarks that time a key against its sound.
#pragma once
#include <pulse/simple.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/realtimethread.h"

namespace kelvatron::bench {

class MonitorCapture {
public:
    struct Tone {
        double startMs, endMs; // steady clock, ms
        int gaps;              // silences of more than kDropoutMs inside the tone
        double firstGapMs = 0; // when the first of them ended, steady clock, ms
    };

    static constexpr int kRate = 48000;
    static constexpr int kPieceFrames = 48;
    // A silence longer than this ends a tone; a shorter one inside it is a dropout if longer
    // than kDropoutMs (a waveform's own zero crossings last a sample or two).
    static constexpr double kSilenceEndsToneMs = 8;
    static constexpr double kDropoutMs = 1;

    explicit MonitorCapture(const std::string& device) {
        pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, kRate, 1};
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<uint32_t>(-1);
        attr.fragsize = kPieceFrames * sizeof(float);
        int error = 0;
        const auto before = processThreadIds();
        simple_ = pa_simple_new(nullptr, "Kelvatron capture", PA_STREAM_RECORD, device.c_str(),
                                "monitor", &spec, nullptr, &attr, &error);
        if (simple_) thread_ = std::thread([this] { run(); });
        for (long id : processThreadIds())
            if (!before.contains(id)) ownThreads_.insert(id);
    }
    ~MonitorCapture() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        if (simple_) pa_simple_free(simple_);
    }
    bool ok() const { return simple_ != nullptr; }

    static double nowMs() {
        using namespace std::chrono;
        return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
    }

    // Processor time, in ms, of this process's threads other than the recorder's own.
    double othersProcessorMs() const {
        double ms = 0;
        for (long id : processThreadIds())
            if (!ownThreads_.contains(id)) ms += threadProcessorMs(id);
        return ms;
    }

    // The tones found so far (the last one only once a silence has ended it).
    std::vector<Tone> tones() {
        std::lock_guard lock(mutex_);
        return tones_;
    }

private:
    static double threadProcessorMs(long id) {
        char path[64];
        std::snprintf(path, sizeof path, "/proc/self/task/%ld/stat", id);
        FILE* f = std::fopen(path, "r");
        if (!f) return 0;
        char text[1024] = {};
        const size_t n = std::fread(text, 1, sizeof text - 1, f);
        std::fclose(f);
        text[n] = 0;
        // Fields after the command name, which ends with the last ')': utime is the 12th.
        const char* p = std::strrchr(text, ')');
        unsigned long utime = 0, stime = 0;
        if (p)
            std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime,
                        &stime);
        return (utime + stime) * 1000.0 / ::sysconf(_SC_CLK_TCK);
    }

    void run() {
        std::vector<float> piece(kPieceFrames);
        long frame = 0;
        long toneStart = -1, lastLoud = -1, silentRun = 0;
        int gaps = 0;
        double toneStartMs = 0, firstGapMs = 0;
        while (!stop_) {
            int error = 0;
            if (pa_simple_read(simple_, piece.data(), piece.size() * sizeof(float), &error) < 0)
                break;
            const double arrivedMs = nowMs();
            for (int i = 0; i < kPieceFrames; ++i, ++frame) {
                const bool loud = std::fabs(piece[i]) > 1e-3f;
                // Time at which this frame reached us: the piece arrived with its last frame.
                const double atMs = arrivedMs - (kPieceFrames - 1 - i) * 1000.0 / kRate;
                if (loud) {
                    if (toneStart < 0) {
                        toneStart = frame;
                        toneStartMs = atMs;
                        gaps = 0;
                    } else if (silentRun > kDropoutMs * kRate / 1000) {
                        if (++gaps == 1) firstGapMs = atMs;
                    }
                    lastLoud = frame;
                    silentRun = 0;
                    continue;
                }
                ++silentRun;
                if (toneStart >= 0 && silentRun > kSilenceEndsToneMs * kRate / 1000) {
                    const double endMs = toneStartMs + (lastLoud + 1 - toneStart) * 1000.0 / kRate;
                    std::lock_guard lock(mutex_);
                    tones_.push_back({toneStartMs, endMs, gaps, firstGapMs});
                    toneStart = -1;
                }
            }
        }
    }

    pa_simple* simple_ = nullptr;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<Tone> tones_;
    std::set<long> ownThreads_;
};

} // namespace kelvatron::bench
