// The hand's live tone at a real-time sound server: keys down and up at random moments through
// the sound device's live path (as the sending practice does) while a recorder on the server's
// monitor finds each tone. Reports key-down to first sample (median, 99th percentile, worst),
// how far each tone's length is from the time the key was held, dropouts (tones missing, split
// or broken inside), and the processor time the program took while keying.
//   live_latency SECONDS [MONITOR]       (monitor default: timing.monitor)
// KELVATRON_SOUND=sdl keys through SDL, =pipewire through a stream of the PipeWire daemon,
// otherwise libpulse; LIVE_MS and PLACED_MS set the latter's buffers, QUANTUM the PipeWire
// stream's node.latency. bench/run_live_latency.sh runs it against a private server.
#include <time.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "audio/livevoice.h"
#include "monitorcapture.h"
#include "platform/pipewiresounddevice.h"
#include "platform/pulsesounddevice.h"
#include "platform/sdlsounddevice.h"
#include "platform/soundserverprobe.h"
#include "platform/systemclock.h"

using namespace kelvatron;
using kelvatron::bench::MonitorCapture;

namespace {

struct Press {
    double downMs, upMs;
};

double setting(const char* name, double otherwise) {
    const char* value = std::getenv(name);
    return value && *value ? std::atof(value) : otherwise;
}

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return NAN;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(std::ceil(p * v.size())) - 1)];
}

void sleepUntil(double ms) {
    timespec at{};
    at.tv_sec = static_cast<time_t>(ms / 1000);
    at.tv_nsec = static_cast<long>(std::fmod(ms, 1000.0) * 1e6);
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
}

std::vector<Press> key(TimelineSoundDevice& device, double seconds) {
    std::mt19937 rng(1944);
    // REST_MIN_MS and REST_MAX_MS beyond two seconds time the first key after the stream rests.
    std::uniform_real_distribution<double> hold(40, 150),
        rest(setting("REST_MIN_MS", 60), setting("REST_MAX_MS", 250));
    std::vector<Press> presses;
    // TIMED=1 passes each edge's moment, as the sending practice does.
    const bool timed = setting("TIMED", 0) != 0;
    const double end = MonitorCapture::nowMs() + seconds * 1000;
    double at = MonitorCapture::nowMs() + 100;
    while (at < end) {
        sleepUntil(at);
        const double down = MonitorCapture::nowMs();
        if (timed)
            device.keyDownAt(700, TTGWave::tgSine, down);
        else
            device.keyDown(700, TTGWave::tgSine);
        sleepUntil(down + hold(rng));
        const double up = MonitorCapture::nowMs();
        if (timed)
            device.keyUpAt(up);
        else
            device.keyUp();
        presses.push_back({down, up});
        at = up + rest(rng);
    }
    return presses;
}

// A hole that ends within this of a daemon cycle that came a whole cycle late is that cycle's:
// the hole reaches the recorder a few milliseconds after the late cycle began.
constexpr double kHoleNearLateCycleMs = 30;

int report(const std::vector<Press>& presses, const std::vector<MonitorCapture::Tone>& tones,
           double seconds, double cpuMs, const std::vector<double>& lateCycles) {
    std::vector<double> latency, lengthError;
    int missing = 0, broken = 0, brokenAtLateCycle = 0;
    size_t t = 0;
    for (const auto& p : presses) {
        // A tone's first sample is timed from the arrival of the recorder's 1 ms piece.
        while (t < tones.size() && tones[t].startMs < p.downMs - 1)
            ++t;
        // A tone belongs to the press if it starts before the next press could sound.
        if (t == tones.size() || tones[t].startMs > p.upMs + 40) {
            if (std::getenv("DEBUG_MISSING"))
                for (const auto& tone : tones)
                    if (tone.endMs > p.downMs - 300 && tone.startMs < p.upMs + 300)
                        std::printf("  press %.1f..%.1f: tone %.1f..%.1f\n", 0.0, p.upMs - p.downMs,
                                    tone.startMs - p.downMs, tone.endMs - p.downMs);
            ++missing;
            continue;
        }
        const auto& tone = tones[t];
        latency.push_back(std::max(0.0, tone.startMs - p.downMs));
        // The release's edge sounds after the key is up.
        lengthError.push_back(
            std::fabs((tone.endMs - tone.startMs) - (p.upMs - p.downMs) - LiveVoice::kEdgeMs));
        if (tone.gaps > 0) {
            ++broken;
            for (double late : lateCycles)
                if (std::fabs(tone.firstGapMs - late) <= kHoleNearLateCycleMs) {
                    ++brokenAtLateCycle;
                    break;
                }
        }
        if (std::getenv("DEBUG_EDGES"))
            std::printf("  start %+.1f end %+.1f\n", tone.startMs - p.downMs, tone.endMs - p.upMs);
        ++t;
    }
    const long extra = static_cast<long>(tones.size()) - static_cast<long>(latency.size());
    std::printf("%zu presses in %.0f s, %zu tones found\n", presses.size(), seconds, tones.size());
    std::printf("key down to first sample: median %.1f ms, p99 %.1f ms, worst %.1f ms "
                "(target median <= 15, p99 <= 25)\n",
                percentile(latency, 0.5), percentile(latency, 0.99), percentile(latency, 1.0));
    std::printf("tone length (less the release's edge) against key held: median %.2f ms off, p99 "
                "%.2f, worst %.2f\n",
                percentile(lengthError, 0.5), percentile(lengthError, 0.99),
                percentile(lengthError, 1.0));
    std::printf("dropouts: %d presses without a tone, %d tones broken inside, %ld tones extra\n",
                missing, broken, std::max(0L, extra));
    if (!lateCycles.empty())
        std::printf("the daemon's cycles came a whole cycle late %zu times; %d of the broken tones "
                    "broke at one of them\n",
                    lateCycles.size(), brokenAtLateCycle);
    std::printf("processor while keying: %.2f %% of one core\n", 100 * cpuMs / (seconds * 1000));
    const bool met = percentile(latency, 0.5) <= 15 && percentile(latency, 0.99) <= 25 &&
                     missing == 0 && broken == 0;
    std::printf("targets: %s\n", met ? "met" : "MISSED");
    return met ? 0 : 3;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: live_latency SECONDS [MONITOR]\n");
        return 64;
    }
    const double seconds = std::atof(argv[1]);
    MonitorCapture capture(argc > 2 ? argv[2] : "timing.monitor");
    if (!capture.ok()) {
        std::fprintf(stderr, "no monitor to record\n");
        return 1;
    }
    SystemClock clock;
    std::unique_ptr<TimelineSoundDevice> device;
    const char* backend = std::getenv("KELVATRON_SOUND");
    if (backend && std::string(backend) == "sdl") {
        SdlSoundDevice::Options options;
        options.blockFrames = static_cast<uint16_t>(setting("BLOCK", 0));
        auto sdl = std::make_unique<SdlSoundDevice>(clock, options);
        std::printf("SDL, block %u frames\n", sdl->blockFrames());
        device = std::move(sdl);
    } else if (backend && std::string(backend) == "pipewire") {
        PipeWireSoundDevice::Options options;
        options.quantum = static_cast<uint32_t>(setting("QUANTUM", options.quantum));
        device = std::make_unique<PipeWireSoundDevice>(clock, options);
    } else {
        PulseSoundDevice::Options options;
        options.liveBufferMs = setting("LIVE_MS", options.liveBufferMs);
        options.placedBufferMs = setting("PLACED_MS", options.placedBufferMs);
        options.largestLiveBufferMs =
            std::max(options.liveBufferMs, setting("LARGEST_LIVE_MS", options.largestLiveBufferMs));
        options.liveLeadMs = setting("LEAD_MS", options.liveLeadMs);
        device = std::make_unique<PulseSoundDevice>(clock, options);
    }
    // Let the streams settle as a program does before the first key.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    std::printf("server: %s\n", probeSoundServer().server.c_str());
    if (auto* pulse = dynamic_cast<PulseSoundDevice*>(device.get()))
        std::printf("libpulse: %s\n", pulse->bufferSummary().c_str());
    if (auto* pipeWire = dynamic_cast<PipeWireSoundDevice*>(device.get()))
        std::printf("%s\n", pipeWire->bufferSummary().c_str());
    // The recorder's threads are not the program's.
    const double cpuBefore = capture.othersProcessorMs();
    const auto presses = key(*device, seconds);
    const double cpuMs = capture.othersProcessorMs() - cpuBefore;
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    std::vector<double> lateCycles;
    if (auto* pipeWire = dynamic_cast<PipeWireSoundDevice*>(device.get()))
        for (double at; pipeWire->takeLateCycle(at);)
            lateCycles.push_back(at);
    int result = report(presses, capture.tones(), seconds, cpuMs, lateCycles);
    if (auto* pulse = dynamic_cast<PulseSoundDevice*>(device.get()))
        std::printf("underruns: live %u, placed %u; %s\n", pulse->liveUnderruns(),
                    pulse->placedUnderruns(), pulse->bufferSummary().c_str());
    if (auto* pipeWire = dynamic_cast<PipeWireSoundDevice*>(device.get())) {
        std::printf("cycles missed: %u; %s\n", pipeWire->missedCycles(),
                    pipeWire->bufferSummary().c_str());
        // The quantum the daemon settles on once the keys have stopped for a while.
        std::this_thread::sleep_for(std::chrono::seconds(3));
        std::printf("after a 3 s rest: %s\n", pipeWire->bufferSummary().c_str());
    }
    return result;
}
