// Timing harness for the sound output. `play` keys random signs through the real SDL sound
// device exactly as the sign player does (a synchronous tone, then a wait) at several dot
// lengths and writes the ideal plan; `analyze` finds the tones in a recording of what reached
// the sound server and reports how far tone and gap lengths are from the plan.
//
// bench/run_timing.sh runs both around a PulseAudio null sink recorded with parec.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "keying/signtable.h"
#include "platform/pulsesounddevice.h"
#include "platform/sdlsounddevice.h"
#include "platform/systemclock.h"
#include "tonegen/tonegen.h"

using namespace kelvatron;

namespace {

const std::vector<int> kDotLengths = {10, 20, 40, 100};
constexpr int kSectionBreakMs = 1500;
constexpr int kRecordRate = 48000;

// One planned tone and the silence the player leaves after it.
struct Element {
    int dot;
    int toneMs;
    int gapMs;
};

std::vector<Element> plan(std::mt19937& rng, double sectionMs) {
    std::vector<Element> out;
    for (int dot : kDotLengths) {
        double total = 0;
        while (total < sectionMs) {
            const auto& code = kSignTable[rng() % kSignTable.size()].code;
            for (size_t i = 0; i < code.size(); ++i) {
                int tone = code[i] == '-' ? 3 * dot : dot;
                // A dot's silence after each element, and two more after the sign.
                int gap = i + 1 < code.size() ? dot : 3 * dot;
                out.push_back({dot, tone, gap});
                total += tone + gap;
            }
        }
    }
    return out;
}

double percentile(std::vector<double> v, double p);
double maximum(const std::vector<double>& v);

double setting(const char* name, double otherwise) {
    const char* value = std::getenv(name);
    return value && *value ? std::atof(value) : otherwise;
}

int play(TimelineSoundDevice& device, SystemClock& clock, const char* planPath, double sectionMs);

// KELVATRON_SOUND=sdl plays through SDL (SDL_AUDIODRIVER=pulseaudio), else through libpulse
// directly; PLACED_MS, LIVE_MS, MARGIN_MS and ONE_STREAM=1 set the latter's buffers.
int play(const char* planPath, double sectionMs) {
    SystemClock clock;
    const char* backend = std::getenv("KELVATRON_SOUND");
    if (backend && std::string(backend) == "sdl") {
        SdlSoundDevice device(clock);
        if (!device.available()) return std::cerr << device.unavailableReason() << '\n', 1;
        std::cerr << "SDL: block " << device.blockFrames() << " frames\n";
        return play(device, clock, planPath, sectionMs);
    }
    PulseSoundDevice::Options options;
    options.placedBufferMs = setting("PLACED_MS", options.placedBufferMs);
    options.liveBufferMs = setting("LIVE_MS", options.liveBufferMs);
    options.marginMs = setting("MARGIN_MS", options.marginMs);
    options.oneStream = setting("ONE_STREAM", 0) != 0;
    PulseSoundDevice device(clock, options);
    if (!device.available()) return std::cerr << device.unavailableReason() << '\n', 1;
    std::cerr << "libpulse: placed buffer " << options.placedBufferMs << " ms, margin "
              << options.marginMs << " ms" << (options.oneStream ? ", one stream\n" : "\n");
    const int result = play(device, clock, planPath, sectionMs);
    std::cerr << "underruns: placed " << device.placedUnderruns() << ", live "
              << device.liveUnderruns() << "; last placement latency " << device.latencyMs()
              << " ms\n";
    return result;
}

int play(TimelineSoundDevice& device, SystemClock& clock, const char* planPath, double sectionMs) {
    TToneGen tone(device);
    tone.setAsync(false);
    tone.setResolution(TTGResolution::tg8Bit);
    tone.setQuality(TTGQuality::tgHiQ);
    tone.setWaveform(TTGWave::tgSquare); // flat envelope: edges are exact in the recording
    tone.setFrequency(800);

    std::mt19937 rng(1941);
    auto elements = plan(rng, sectionMs);
    std::ofstream out(planPath);
    // A sound server may take a while to start the stream; then let its clock estimate settle.
    for (int i = 0; i < 1000 && !device.streamRunning(); ++i)
        clock.sleep(10);
    clock.sleep(kSectionBreakMs);
    int section = elements.front().dot;
    std::vector<double> playLate, sleepLate; // how much later than asked each wait returned
    for (const auto& e : elements) {
        if (e.dot != section) {
            clock.sleep(kSectionBreakMs);
            section = e.dot;
        }
        tone.setDuration(static_cast<int16_t>(e.toneMs));
        double before = clock.now();
        tone.play();
        double played = clock.now();
        clock.sleep(e.gapMs);
        double slept = clock.now();
        out << e.dot << ' ' << e.toneMs << ' ' << e.gapMs << '\n';
        playLate.push_back(played - before - e.toneMs);
        sleepLate.push_back(slept - played - e.gapMs);
    }
    clock.sleep(kSectionBreakMs);
    std::fprintf(stderr, "placement latency %.1f ms\n", device.latencyMs());
    std::fprintf(stderr,
                 "player's own lateness (ms): synchronous play p99 %.3f max %.3f, "
                 "wait p99 %.3f max %.3f\n",
                 percentile(playLate, 0.99), maximum(playLate), percentile(sleepLate, 0.99),
                 maximum(sleepLate));
    return 0;
}

struct Segment {
    long start, end; // frames, end exclusive
};

// Runs of loud samples, joined across silences shorter than two milliseconds (a dropout or a
// waveform's own zero crossing would otherwise split a tone).
std::vector<Segment> findTones(const std::vector<int16_t>& s) {
    int peak = 0;
    for (int16_t v : s)
        peak = std::max(peak, std::abs(int(v)));
    const int threshold = peak / 4;
    std::vector<Segment> tones;
    const long join = 2 * kRecordRate / 1000;
    for (long i = 0; i < long(s.size()); ++i) {
        if (std::abs(int(s[i])) <= threshold) continue;
        if (!tones.empty() && i - tones.back().end < join)
            tones.back().end = i + 1;
        else
            tones.push_back({i, i + 1});
    }
    return tones;
}

struct Errors {
    std::vector<double> tone, gap;
};

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return NAN;
    std::sort(v.begin(), v.end());
    size_t k = static_cast<size_t>(std::ceil(p * v.size())) - 1;
    return v[std::min(k, v.size() - 1)];
}

double maximum(const std::vector<double>& v) {
    return v.empty() ? NAN : *std::max_element(v.begin(), v.end());
}

int analyze(const char* planPath, const char* recordingPath) {
    std::vector<Element> elements;
    std::ifstream planIn(planPath);
    for (Element e; planIn >> e.dot >> e.toneMs >> e.gapMs;)
        elements.push_back(e);
    std::ifstream rec(recordingPath, std::ios::binary);
    std::vector<int16_t> samples;
    for (int16_t v; rec.read(reinterpret_cast<char*>(&v), 2);)
        samples.push_back(v);
    auto tones = findTones(samples);
    std::printf("planned %zu tones, found %zu in %.1f s of recording\n", elements.size(),
                tones.size(), samples.size() / double(kRecordRate));
    if (elements.empty() || tones.size() != elements.size()) {
        std::printf("MISMATCH: dropouts or spurious sound in the recording\n");
        auto ms = [](long frames) { return frames * 1000.0 / kRecordRate; };
        for (size_t i = 0; i < std::min(tones.size(), elements.size()); ++i) {
            if (std::abs(ms(tones[i].end - tones[i].start) - elements[i].toneMs) < 1) continue;
            std::printf("first difference at tone %zu (%.1f s): planned %d ms, found %.2f ms\n", i,
                        ms(tones[i].start) / 1000, elements[i].toneMs,
                        ms(tones[i].end - tones[i].start));
            break;
        }
        return 2;
    }
    auto ms = [](long frames) { return frames * 1000.0 / kRecordRate; };
    std::vector<std::pair<int, Errors>> byDot;
    for (size_t i = 0; i < tones.size(); ++i) {
        const auto& e = elements[i];
        if (byDot.empty() || byDot.back().first != e.dot) byDot.push_back({e.dot, {}});
        auto& errors = byDot.back().second;
        errors.tone.push_back(std::abs(ms(tones[i].end - tones[i].start) - e.toneMs));
        bool lastOfSection = i + 1 == tones.size() || elements[i + 1].dot != e.dot;
        if (!lastOfSection) {
            double gap = ms(tones[i + 1].start - tones[i].end) - e.gapMs;
            errors.gap.push_back(std::abs(gap));
        }
    }
    std::printf("%6s %6s | %10s %10s | %10s %10s\n", "dot ms", "tones", "tone max", "tone p99",
                "gap max", "gap p99");
    bool ok = true;
    for (const auto& [dot, e] : byDot) {
        std::printf("%6d %6zu | %10.3f %10.3f | %10.3f %10.3f\n", dot, e.tone.size(),
                    maximum(e.tone), percentile(e.tone, 0.99), maximum(e.gap),
                    percentile(e.gap, 0.99));
        ok =
            ok && maximum(e.tone) <= 0.1 && percentile(e.gap, 0.99) <= 1.0 && maximum(e.gap) <= 2.0;
    }
    std::printf("targets (tone within 0.1 ms; gap p99 1 ms, worst 2 ms): %s\n",
                ok ? "met" : "MISSED");
    return ok ? 0 : 3;
}

} // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    // Keying time per dot length, in seconds.
    if (mode == "play" && (argc == 3 || argc == 4))
        return play(argv[2], argc == 4 ? std::atof(argv[3]) * 1000 : 30000);
    if (mode == "analyze" && argc == 4) return analyze(argv[2], argv[3]);
    std::cerr << "usage: timing_harness play PLAN [SECONDS] | analyze PLAN RECORDING.s16le48k\n";
    return 64;
}
