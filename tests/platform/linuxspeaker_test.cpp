#include <gtest/gtest.h>

#include <linux/input.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/linuxspeaker.h"
#include "support/fakeclock.h"
#include "support/fakesounddevice.h"

using namespace kelvatron;
namespace fs = std::filesystem;

namespace {

// As the kernel lists a keyboard (no EV_SND) and the PC speaker (EV=40001: EV_SYN and EV_SND;
// SND=6: bell and tone); a bell-only device (SND=2) cannot sound a chosen frequency.
const char* kWithSpeaker =
    "N: Name=\"AT Translated Set 2 keyboard\"\n"
    "H: Handlers=sysrq kbd event0 leds\nB: EV=120013\nB: MSC=10\n\n"
    "N: Name=\"PC Speaker\"\nH: Handlers=kbd event3\nB: EV=40001\nB: SND=6\n";
const char* kBellOnly = "H: Handlers=event5\nB: EV=40001\nB: SND=2\n";

// A speaker on a device list and an input folder of its own.
class LinuxSpeakerRoute : public ::testing::Test {
protected:
    LinuxSpeakerRoute() { fs::create_directories(dir); }
    ~LinuxSpeakerRoute() override { fs::remove_all(dir); }
    LinuxSpeaker& speakerWith(const char* devices) {
        std::ofstream(dir / "devices") << devices;
        speaker.emplace(sound, clock, (dir / "devices").string(), dir.string());
        return *speaker;
    }
    // The tone values written to the speaker device, one per event.
    std::vector<int> toneEvents() {
        std::ifstream in(dir / "event3", std::ios::binary);
        std::vector<int> values;
        for (input_event e{}; in.read(reinterpret_cast<char*>(&e), sizeof e);) {
            EXPECT_TRUE(e.type == EV_SND && e.code == SND_TONE);
            values.push_back(e.value);
        }
        return values;
    }

    fs::path dir = fs::temp_directory_path() / ("kelvatron-spk-" + std::to_string(getpid()));
    test::FakeClock clock;
    test::FakeSoundDevice sound{&clock};
    std::optional<LinuxSpeaker> speaker;
};

} // namespace

TEST(LinuxSpeaker, SquareToneImageHasTheExactLengthAndPeriods) {
    auto image = LinuxSpeaker::squareToneImage(800, 100);
    ASSERT_EQ(image.size(), 44u + 9600 + 4);
    // 120 samples a period: 60 low, then 60 high.
    for (size_t n : {0, 59, 60, 119, 120})
        EXPECT_EQ(image[44 + n], n % 120 < 60 ? 0 : 255) << n;
    // 1100 Hz: periods of 87 or 88 samples, but exactly 1100 of them in a second.
    auto second = LinuxSpeaker::squareToneImage(1100, 1000);
    int rises = 0;
    for (size_t i = 45; i < 44 + 96000; ++i)
        rises += second[i - 1] == 0 && second[i] == 255;
    EXPECT_EQ(rises, 1100);
    EXPECT_EQ(LinuxSpeaker::squareToneImage(0, 10)[44], 128); // no frequency: silence
}

// A very long tone loops a second of sound and stops on time.
TEST_F(LinuxSpeakerRoute, WithoutASpeakerBeepsThroughTheSoundCard) {
    auto& s = speakerWith(kBellOnly);
    ASSERT_TRUE(s.hasBeepService());
    EXPECT_EQ(s.route(), LinuxSpeaker::Route::SoundCard);
    s.beep(800, 60);
    EXPECT_EQ(clock.now(), 60);
    const int stops = sound.stops;
    s.beep(800, 90000);
    ASSERT_EQ(sound.plays.size(), 2u);
    EXPECT_EQ(sound.plays[0].flags, SND_MEMORY);
    EXPECT_EQ(sound.plays[0].image, LinuxSpeaker::squareToneImage(800, 60));
    EXPECT_EQ(sound.plays[1].flags, SND_MEMORY | SND_ASYNC | SND_LOOP);
    EXPECT_EQ(sound.plays[1].lengthMs, 1000);
    EXPECT_EQ(clock.sleeps.back(), 90000);
    EXPECT_EQ(sound.stops, stops + 1);
}

TEST_F(LinuxSpeakerRoute, ASpeakerDeviceGetsToneOnAndOffEvents) {
    std::ofstream(dir / "event3").flush(); // stands in for the device node
    auto& s = speakerWith(kWithSpeaker);
    ASSERT_TRUE(s.hasBeepService());
    EXPECT_EQ(s.route(), LinuxSpeaker::Route::SpeakerEvents);
    s.beep(1000, 40);
    EXPECT_TRUE(sound.plays.empty());
    EXPECT_EQ(clock.sleeps, std::vector<int32_t>{40});
    EXPECT_EQ(toneEvents(), (std::vector<int>{1000, 0}));
}

TEST_F(LinuxSpeakerRoute, AHeldKeySoundsOnTheRouteItStartedOn) {
    auto& s = speakerWith(kBellOnly);
    s.keyDown(700, 0);
    s.keyUp(0);
    EXPECT_EQ(clock.log, (std::vector<std::string>{"key down 700", "key up"}));
    ASSERT_EQ(sound.keyDowns.size(), 1u);
    EXPECT_EQ(sound.keyDowns[0].second, TTGWave::tgSquare); // the speaker's own wave
    EXPECT_TRUE(clock.sleeps.empty());                      // the hand is never kept waiting

    std::ofstream(dir / "event3").flush();
    auto& withSpeaker = speakerWith(kWithSpeaker);
    withSpeaker.keyDown(900, 0);
    withSpeaker.keyUp(0);
    EXPECT_EQ(sound.keyDowns.size(), 1u);
    EXPECT_EQ(sound.keyUps, 1);
    EXPECT_EQ(toneEvents(), (std::vector<int>{900, 0}));
}
