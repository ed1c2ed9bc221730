// Records a sound server's monitor for as long as it runs and prints every tone as it ends, one
// a line: its first and end frame in the recording, and the steady clock's ms when its first and
// last sample arrived here. A silence longer than 2 ms ends a tone, so a dropout inside a tone
// shows as two tones and the short gap between them.
//   soak_recorder MONITOR FRAGMENT_MS        (ends on SIGTERM or SIGINT)
// The fragment is the latency the recording asks of the sink: a small one makes the sink mix in
// small blocks. bench/soak.sh matches the tones with what it made the program key.
#include <pulse/simple.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

volatile std::sig_atomic_t stop = 0;

double steadyMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return std::fprintf(stderr, "usage: soak_recorder MONITOR FRAGMENT_MS\n"), 64;
    constexpr int kRate = 48000;
    constexpr long kSilenceEndsTone = kRate / 500;
    const int pieceFrames = std::max(48, static_cast<int>(std::atof(argv[2]) * kRate / 1000));
    std::signal(SIGTERM, [](int) { stop = 1; });
    std::signal(SIGINT, [](int) { stop = 1; });

    pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, kRate, 1};
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.fragsize = static_cast<uint32_t>(pieceFrames * sizeof(float));
    int error = 0;
    pa_simple* simple = pa_simple_new(nullptr, "Kelvatron soak", PA_STREAM_RECORD, argv[1],
                                      "monitor", &spec, nullptr, &attr, &error);
    if (!simple) return std::fprintf(stderr, "no monitor to record\n"), 1;
    std::printf("ready\n");
    std::fflush(stdout);

    std::vector<float> piece(pieceFrames);
    long frame = 0, toneStart = -1, lastLoud = -1;
    double toneStartMs = 0, lastLoudMs = 0;
    while (!stop) {
        if (pa_simple_read(simple, piece.data(), piece.size() * sizeof(float), &error) < 0) break;
        const double arrivedMs = steadyMs();
        for (int i = 0; i < pieceFrames; ++i, ++frame) {
            const double atMs = arrivedMs - (pieceFrames - 1 - i) * 1000.0 / kRate;
            if (std::fabs(piece[i]) > 1e-3f) {
                if (toneStart < 0) {
                    toneStart = frame;
                    toneStartMs = atMs;
                }
                lastLoud = frame;
                lastLoudMs = atMs;
            } else if (toneStart >= 0 && frame - lastLoud > kSilenceEndsTone) {
                std::printf("%ld %ld %.3f %.3f\n", toneStart, lastLoud + 1, toneStartMs, lastLoudMs);
                std::fflush(stdout);
                toneStart = -1;
            }
        }
    }
    pa_simple_free(simple);
    return 0;
}
