// How late a real-time thread of this machine wakes, with no sound server involved: a FIFO
// thread at the PipeWire daemon's own priority (88) sleeps to absolute moments one cycle apart
// (128 frames at 48 kHz) and counts the wakes that came late. A daemon whose driving thread
// wakes a whole cycle late runs its next cycle at once, and a stream's cycle lost then is a hole
// in the sound: on a machine where this count is not zero, no stream at this cycle is safe.
//   realtime_wakes SECONDS [CYCLE_FRAMES]
#include <pthread.h>
#include <sched.h>
#include <time.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kPriority = 88;

double ms(const timespec& t) {
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

void advance(timespec& t, long nanoseconds) {
    t.tv_nsec += nanoseconds;
    while (t.tv_nsec >= 1'000'000'000) {
        t.tv_nsec -= 1'000'000'000;
        ++t.tv_sec;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: realtime_wakes SECONDS [CYCLE_FRAMES]\n");
        return 64;
    }
    const double seconds = std::atof(argv[1]);
    const long frames = argc > 2 ? std::atol(argv[2]) : 128;
    const long cycleNs = frames * 1'000'000'000L / 48000;
    const sched_param param{kPriority};
    if (pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) != 0)
        std::printf("not real-time here (no permission): the figures are a normal thread's\n");
    timespec at{};
    clock_gettime(CLOCK_MONOTONIC, &at);
    const long wakes = static_cast<long>(seconds * 1e9 / cycleNs);
    long overMs = 0, overCycle = 0;
    double worst = 0;
    for (long i = 0; i < wakes; ++i) {
        advance(at, cycleNs);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
        }
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const double late = ms(now) - ms(at);
        if (late > 1) ++overMs;
        if (late >= cycleNs / 1e6) ++overCycle;
        if (late > worst) worst = late;
    }
    std::printf("real-time wakes every %.2f ms for %.0f s: %ld late by over 1 ms, %ld by a whole "
                "cycle or more, worst %.2f ms\n",
                cycleNs / 1e6, seconds, overMs, overCycle, worst);
    return 0;
}
