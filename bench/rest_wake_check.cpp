// The sign a typed key answers, after a rest of the live stream, at a real-time sound server: the
// sound device plays the sign Й (.---) as the keyboard practice does (tones that answer a key,
// each element synchronous, a dot's pause between them), REST seconds after the one before,
// while a recorder on the server's monitor keeps every sample. Each sign's elements and gaps
// are measured in samples against their ideal lengths, tones that are no element are counted,
// and the sign's first sample is timed from the moment the key was answered.
//   rest_wake_check KEYS REST_S [MONITOR_LATENCY_MS] [MONITOR]
// A monitor latency of 0 records at the server's default; 10 puts the sink at a low latency.
// bench/rest_wake_check.sh runs it against a private server at both.
#include <pulse/simple.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/pulsesounddevice.h"
#include "platform/systemclock.h"
#include "tonegen/tonegen.h"

using namespace kelvatron;

namespace {

constexpr int kRate = 48000;
constexpr int kPiece = 48;
// The keyboard practice's dot at its first speed: shorter than the live stream's buffer.
constexpr int kDotMs = 40;
const char* const kSign = ".---";

double nowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// Every sample of the monitor, and when each piece of it arrived: the earliest arrivals near a
// frame, less the frame's place in the recording, say when the server mixed it (the server's
// clock and the steady clock drift apart by a few milliseconds in a minute).
class Recorder {
public:
    Recorder(const char* device, double latencyMs, double seconds) {
        samples_.reserve(static_cast<size_t>((seconds + 5) * kRate));
        arrivals_.reserve(static_cast<size_t>((seconds + 5) * kRate / kPiece));
        pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, kRate, 1};
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<uint32_t>(-1);
        attr.fragsize = latencyMs > 0 ? static_cast<uint32_t>(latencyMs * kRate / 1000) * 4
                                      : static_cast<uint32_t>(-1);
        int error = 0;
        simple_ = pa_simple_new(nullptr, "rest wake check", PA_STREAM_RECORD, device, "monitor",
                                &spec, nullptr, &attr, &error);
        if (simple_) thread_ = std::thread([this] { run(); });
        // An idle null sink sleeps in long blocks: the recording starts once the first comes.
        while (simple_ && !started_)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    ~Recorder() {
        stop();
        if (simple_) pa_simple_free(simple_);
    }
    bool ok() const { return simple_ != nullptr; }
    void stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    const std::vector<float>& samples() const { return samples_; }
    // The steady clock's time at which frame f was mixed.
    double mixedMs(long f) const {
        double offset = 1e300;
        for (const auto& [end, arrived] : arrivals_)
            if (std::labs(end - f) < 2 * kRate && end > kRate)
                offset = std::min(offset, arrived - end * 1000.0 / kRate);
        return offset + f * 1000.0 / kRate;
    }

private:
    void run() {
        float piece[kPiece];
        while (!stop_ && samples_.size() + kPiece < samples_.capacity()) {
            int error = 0;
            if (pa_simple_read(simple_, piece, sizeof piece, &error) < 0) break;
            samples_.insert(samples_.end(), piece, piece + kPiece);
            started_ = true;
            arrivals_.emplace_back(static_cast<long>(samples_.size()), nowMs());
        }
    }

    pa_simple* simple_ = nullptr;
    std::thread thread_;
    std::atomic<bool> stop_{false}, started_{false};
    std::vector<float> samples_;
    std::vector<std::pair<long, double>> arrivals_;
};

struct Tone {
    long start, end; // frames
};

std::vector<Tone> findTones(const std::vector<float>& s) {
    std::vector<Tone> tones;
    const long silenceEnds = 8 * kRate / 1000;
    long start = -1, lastLoud = -1;
    for (long i = 0; i < static_cast<long>(s.size()); ++i) {
        if (std::fabs(s[i]) > 1e-3f) {
            if (start < 0) start = i;
            lastLoud = i;
        } else if (start >= 0 && i - lastLoud > silenceEnds) {
            tones.push_back({start, lastLoud + 1});
            start = -1;
        }
    }
    return tones;
}

double ms(long frames) {
    return frames * 1000.0 / kRate;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return std::fprintf(stderr, "usage: rest_wake_check KEYS REST_S [LATENCY_MS] [MONITOR]\n"),
               64;
    const int keys = std::atoi(argv[1]);
    const double restS = std::atof(argv[2]);
    const double latencyMs = argc > 3 ? std::atof(argv[3]) : 0;
    const char* monitor = argc > 4 ? argv[4] : "timing.monitor";
    Recorder recorder(monitor, latencyMs, 2 + keys * (restS + 1));
    if (!recorder.ok()) return std::fprintf(stderr, "no monitor to record\n"), 1;

    SystemClock clock;
    PulseSoundDevice device(clock);
    if (!device.available())
        return std::fprintf(stderr, "%s\n", device.unavailableReason().c_str()), 1;
    TToneGen gen(device);
    gen.setAsync(false);
    gen.setFrequency(700);
    gen.setWaveform(TTGWave::tgSine);
    // FIRST_MS: the first sign that long after the device opened, not a rest later.
    const char* first = std::getenv("FIRST_MS");
    std::this_thread::sleep_for(
        std::chrono::duration<double, std::milli>(first ? std::atof(first) : 1500));
    std::vector<double> keyMs;
    for (int k = 0; k < keys; ++k) {
        if (k > 0 || !first) std::this_thread::sleep_for(std::chrono::duration<double>(restS));
        const bool before = device.setPromptTones(true);
        keyMs.push_back(clock.now());
        for (const char* e = kSign; *e; ++e) {
            gen.setDuration(static_cast<int16_t>(*e == '.' ? kDotMs : 3 * kDotMs));
            gen.play();
            clock.sleep(kDotMs);
        }
        clock.sleep(3 * kDotMs);
        device.setPromptTones(before);
    }
    // A recording at the server's default latency comes in blocks of up to two seconds.
    std::this_thread::sleep_for(std::chrono::milliseconds(latencyMs > 0 ? 500 : 2500));
    recorder.stop();
    if (const char* raw = std::getenv("RAW")) {
        if (FILE* f = std::fopen(raw, "wb")) {
            std::fwrite(recorder.samples().data(), sizeof(float), recorder.samples().size(), f);
            std::fclose(f);
        }
    }

    // A sign's tones are those from its key to the next key; its elements are its last four.
    const auto tones = findTones(recorder.samples());
    const int elements = static_cast<int>(std::strlen(kSign));
    double worstElement = 0, worstGap = 0;
    int extra = 0, missing = 0;
    std::vector<double> latency;
    size_t t = 0;
    for (int k = 0; k < keys; ++k) {
        const double next = k + 1 < keys ? keyMs[k + 1] : 1e300;
        std::vector<Tone> sign;
        while (t < tones.size() && recorder.mixedMs(tones[t].start) < next - 50)
            sign.push_back(tones[t++]);
        std::printf("key %2d:", k);
        for (const Tone& tone : sign)
            std::printf(" %+.1f/%.1f", recorder.mixedMs(tone.start) - keyMs[k],
                        ms(tone.end - tone.start));
        if (static_cast<int>(sign.size()) < elements) {
            ++missing;
            std::printf("  MISSING\n");
            continue;
        }
        extra += static_cast<int>(sign.size()) - elements;
        const auto first = sign.end() - elements;
        latency.push_back(recorder.mixedMs(first->start) - keyMs[k]);
        std::printf("  |");
        for (int e = 0; e < elements; ++e) {
            const double ideal = kSign[e] == '.' ? kDotMs : 3 * kDotMs;
            const double error = ms(first[e].end - first[e].start) - ideal;
            worstElement = std::max(worstElement, std::fabs(error));
            std::printf(" %+.2f", error);
            if (e > 0) {
                const double gap = ms(first[e].start - first[e - 1].end) - kDotMs;
                worstGap = std::max(worstGap, std::fabs(gap));
            }
        }
        std::printf("\n");
    }
    std::sort(latency.begin(), latency.end());
    std::printf(
        "monitor latency %s: %d signs after %.1f s rests; worst element error %.2f ms, "
        "worst gap error %.2f ms; %d extra tones, %d signs missing; key to the sign's first "
        "sample (mixed) median %.1f ms, worst %.1f ms\n",
        latencyMs > 0 ? (std::to_string(static_cast<int>(latencyMs)) + " ms").c_str() : "default",
        keys, restS, worstElement, worstGap, extra, missing,
        latency.empty() ? NAN : latency[latency.size() / 2],
        latency.empty() ? NAN : latency.back());
    std::printf("%s\n", device.bufferSummary().c_str());
    return worstElement <= 3 && worstGap <= 3 && extra == 0 && missing == 0 ? 0 : 3;
}
