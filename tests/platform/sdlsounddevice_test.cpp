#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/linuxspeaker.h"
#include "platform/sdlsounddevice.h"
#include "platform/systemclock.h"
#include "support/fakeclock.h"

using namespace kelvatron;

namespace {

// Sets environment variables for one test and puts the old values back afterwards.
struct ScopedEnv {
    void set(const char* name, const std::string& value) {
        const char* old = std::getenv(name);
        saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        for (auto it = saved.rbegin(); it != saved.rend(); ++it)
            it->second ? setenv(it->first.c_str(), it->second->c_str(), 1)
                       : unsetenv(it->first.c_str());
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

// SDL's disk driver writing the stream to a file of the test's own, delayMs per block.
struct DiskOutput : ScopedEnv {
    explicit DiskOutput(const char* delayMs) {
        set("SDL_AUDIODRIVER", "disk");
        set("SDL_DISKAUDIOFILE", file.string());
        set("SDL_DISKAUDIODELAY", delayMs);
    }
    ~DiskOutput() { std::filesystem::remove(file); }
    std::filesystem::path file = std::filesystem::temp_directory_path() /
                                 ("kelvatron-disk-" + std::to_string(::getpid()) + ".raw");
};

} // namespace

TEST(SdlSoundDevice, WithoutAnOutputRunsSilentButKeepsTime) {
    ScopedEnv env;
    env.set("SDL_AUDIODRIVER", "no-such-driver");
    test::FakeClock clock;
    SdlSoundDevice device(clock);
    EXPECT_FALSE(device.available());
    EXPECT_NE(device.unavailableReason().find("No sound output"), std::string::npos);

    auto tone = LinuxSpeaker::squareToneImage(800, 100);
    device.playSound(tone, SND_MEMORY);
    device.playSound(tone, SND_MEMORY | SND_ASYNC);
    device.playSound(tone, SND_MEMORY | SND_ASYNC | SND_LOOP);
    tone[0] = 'X';
    device.playSound(tone, SND_MEMORY); // refused: no wait
    device.stopSound();
    EXPECT_EQ(clock.sleeps, std::vector<int32_t>{100}); // only the synchronous play waits
}

TEST(SdlSoundDevice, WritesTheExactToneWithItsVolumeToTheStream) {
    DiskOutput disk("1"); // a block per millisecond: far ahead of real time
    const auto& file = disk.file;
    SystemClock clock;
    {
        SdlSoundDevice device(clock);
        ASSERT_TRUE(device.available()) << device.unavailableReason();
        EXPECT_EQ(device.rate(), 48000u);
        device.setVolume(0x8000FFFFu); // left full, right about half
        device.playSound(LinuxSpeaker::squareToneImage(800, 20), SND_MEMORY | SND_ASYNC);
        // Wait until the stream has run well past the tone (at ~40x real time this is quick).
        auto frames = [&] { return std::filesystem::file_size(file) / 8; };
        for (int i = 0; i < 2000 && frames() < 48000; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::ifstream in(file, std::ios::binary);
    std::vector<float> s(std::filesystem::file_size(file) / sizeof(float));
    in.read(reinterpret_cast<char*>(s.data()), std::streamsize(s.size() * sizeof(float)));

    // 96 kHz halved: 60 frames a period, 30 low then 30 high, then silence after 20 ms.
    size_t first = 0;
    while (first < s.size() / 2 && s[2 * first] == 0)
        ++first;
    ASSERT_LT(first + 1000, s.size() / 2) << "no tone in the stream";
    for (size_t i = 0; i < 1000; ++i) {
        const float expected = i >= 960 ? 0 : (i % 60) < 30 ? -1.0f : 127 / 128.0f;
        ASSERT_FLOAT_EQ(s[2 * (first + i)], expected) << i;
        ASSERT_FLOAT_EQ(s[2 * (first + i) + 1], expected * (0x8000 / 65535.0f)) << i;
    }
}

// Requests cross to the sound thread while it mixes, and the tones it is done with come back to
// be freed here: many more tones than the queues have slots, a live key among them.
TEST(SdlSoundDevice, ManyRequestsCrossToTheRunningStreamAndComeBack) {
    DiskOutput disk("0");
    SystemClock clock;
    {
        SdlSoundDevice device(clock);
        ASSERT_TRUE(device.available()) << device.unavailableReason();
        const auto tone = LinuxSpeaker::squareToneImage(800, 2);
        for (int i = 0; i < 3000; ++i) {
            device.playSound(tone, SND_MEMORY | SND_ASYNC);
            if (i % 100 == 0) device.keyDown(600, TTGWave::tgSine);
            if (i % 100 == 50) device.keyUp();
        }
        device.stopSound();
    }
}
