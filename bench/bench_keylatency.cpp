// Time from a typed key to the first sample of its tone reaching the sound device, inside the
// process: the main window on the real clock, sound device and speaker, with the sound device's
// block size given on the command line. SDL's disk driver writes every mixed block into a pipe
// that a thread here reads, so each block is time-stamped as the device takes it.
//   bench_keylatency [block frames ...]     (default: 2048 512)
#include <QApplication>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/services.h"
#include "mainwindow/tform1.h"
#include "platform/linuxspeaker.h"
#include "platform/qtdialogs.h"
#include "platform/qteventpump.h"
#include "platform/sdlsounddevice.h"
#include "platform/systemclock.h"
#include "platform/xkbkeyboardlayout.h"

using namespace kelvatron;
using WallClock = std::chrono::steady_clock;

namespace {

constexpr int kKeys = 20;
constexpr uint32_t kRate = 48000;

// Reads the device's pipe; remembers when the first block holding sound arrived after arm().
class PipeReader {
public:
    explicit PipeReader(std::string path) : path_(std::move(path)) {
        thread_ = std::thread([this] { run(); });
    }
    ~PipeReader() { thread_.join(); }

    void arm() {
        std::lock_guard lock(mutex_);
        found_ = false;
    }
    // Block arrival and the offset of the first loud frame in it, once found.
    bool result(WallClock::time_point& arrival, int& offset) {
        std::lock_guard lock(mutex_);
        arrival = arrival_;
        offset = offset_;
        return found_;
    }

private:
    void run() {
        int fd = ::open(path_.c_str(), O_RDONLY);
        std::vector<float> buffer(1 << 15);
        for (;;) {
            ssize_t n = ::read(fd, buffer.data(), buffer.size() * sizeof(float));
            auto now = WallClock::now();
            if (n <= 0) break;
            // Left channel only; a partial frame at the end is ignored (blocks are whole frames).
            const size_t frames = size_t(n) / (2 * sizeof(float));
            for (size_t i = 0; i < frames; ++i) {
                if (std::fabs(buffer[2 * i]) <= 1e-3f) continue;
                std::lock_guard lock(mutex_);
                if (!found_ && !loud_) {
                    found_ = true;
                    arrival_ = now;
                    offset_ = int(i);
                }
                break;
            }
            bool anyLoud = std::any_of(buffer.begin(), buffer.begin() + 2 * frames,
                                       [](float v) { return std::fabs(v) > 1e-3f; });
            std::lock_guard lock(mutex_);
            loud_ = anyLoud;
        }
        ::close(fd);
    }

    std::string path_;
    std::thread thread_;
    std::mutex mutex_;
    bool found_ = true;
    bool loud_ = false; // the last block ended a tone still sounding
    WallClock::time_point arrival_;
    int offset_ = 0;
};

void measure(int argc, char** argv, uint16_t blockFrames) {
    char dir[] = "/tmp/keylatencyXXXXXX";
    if (!mkdtemp(dir)) return;
    const std::string pipe = std::string(dir) + "/sound.pipe";
    mkfifo(pipe.c_str(), 0600);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", pipe.c_str(), 1);
    setenv("XDG_CONFIG_HOME", dir, 1);
    {
        PipeReader reader(pipe);
        QApplication app(argc, argv);
        SystemClock clock;
        QtEventPump events;
        SdlSoundDevice sound(clock, SdlSoundDevice::Options{kRate, blockFrames});
        LinuxSpeaker speaker(sound, clock);
        XkbKeyboardLayout keyboardLayout;
        QtDialogs dialogs;
        Services services{clock, events, sound, speaker, keyboardLayout, dialogs};
        std::vector<double> toBlock, toSample;
        {
            TForm1 form(services);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            for (int k = 0; k < kKeys; ++k) {
                reader.arm();
                auto pressed = WallClock::now();
                form.FormKeyPress('e'); // Е: one dot
                std::this_thread::sleep_for(std::chrono::milliseconds(150));
                WallClock::time_point arrival;
                int offset = 0;
                if (!reader.result(arrival, offset)) continue;
                double ms = std::chrono::duration<double, std::milli>(arrival - pressed).count();
                toBlock.push_back(ms);
                toSample.push_back(ms + offset * 1000.0 / kRate);
            }
        }
        std::sort(toBlock.begin(), toBlock.end());
        std::sort(toSample.begin(), toSample.end());
        if (toSample.empty()) {
            std::printf("block %u frames: no tone reached the device\n", blockFrames);
        } else {
            std::printf(
                "block %4u frames (placement latency %.1f ms): key to block median %.1f ms; "
                "key to first sample median %.1f ms, min %.1f, max %.1f (n=%zu)\n",
                blockFrames, sound.latencyMs(), toBlock[toBlock.size() / 2],
                toSample[toSample.size() / 2], toSample.front(), toSample.back(), toSample.size());
        }
    } // the device closes its end of the pipe, so the reader ends
    ::unlink(pipe.c_str());
    ::rmdir(dir);
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::vector<uint16_t> blocks;
    for (int i = 1; i < argc; ++i)
        blocks.push_back(uint16_t(std::atoi(argv[i])));
    if (blocks.empty()) blocks = {2048, 512};
    for (uint16_t frames : blocks)
        measure(argc, argv, frames);
    return 0;
}
