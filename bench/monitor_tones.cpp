// Records a sound server's monitor for a while and prints every tone found in it, one a line:
// its first sample's arrival and its end on the steady clock, in ms (see monitorcapture.h).
//   monitor_tones SECONDS [MONITOR]       (monitor default: timing.monitor)
// bench/sidetone_latency.sh matches them with key presses made from another process.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "monitorcapture.h"

int main(int argc, char** argv) {
    if (argc < 2) return std::fprintf(stderr, "usage: monitor_tones SECONDS [MONITOR]\n"), 64;
    kelvatron::bench::MonitorCapture capture(argc > 2 ? argv[2] : "timing.monitor");
    if (!capture.ok()) return std::fprintf(stderr, "no monitor to record\n"), 1;
    std::printf("ready\n");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::duration<double>(std::atof(argv[1])));
    for (const auto& tone : capture.tones())
        std::printf("%.3f %.3f %d\n", tone.startMs, tone.endMs, tone.gaps);
    return 0;
}
