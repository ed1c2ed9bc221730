#include <gtest/gtest.h>

#include <linux/input.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/linuxspeaker.h"
#include "support/fakeclock.h"
#include "support/fakesounddevice.h"

using namespace kelvatron;
using kelvatron::test::FakeClock;
using kelvatron::test::FakeSoundDevice;
namespace fs = std::filesystem;

namespace {

// As the kernel lists a keyboard and the PC speaker (EV=40001: EV_SYN and EV_SND; SND=6: bell
// and tone).
const char* kWithSpeaker = R"(I: Bus=0011 Vendor=0001 Product=0001 Version=ab41
N: Name="AT Translated Set 2 keyboard"
H: Handlers=sysrq kbd event0 leds
B: PROP=0
B: EV=120013
B: KEY=402000000 3803078f800d001 feffffdfffefffff fffffffffffffffe
B: MSC=10
B: LED=7

I: Bus=0010 Vendor=001f Product=0001 Version=0100
N: Name="PC Speaker"
P: Phys=isa0061/input0
H: Handlers=kbd event3
B: PROP=0
B: EV=40001
B: SND=6
)";

// A bell-only device (SND=2) cannot sound a tone of a chosen frequency.
const char* kBellOnly = "H: Handlers=event5\nB: EV=40001\nB: SND=2\n";

class SpeakerDir {
public:
    SpeakerDir() : dir(fs::temp_directory_path() / ("kelvatron-spk-" + std::to_string(getpid()))) {
        fs::create_directories(dir);
    }
    ~SpeakerDir() { fs::remove_all(dir); }
    std::string list(const std::string& text) {
        std::ofstream(dir / "devices") << text;
        return (dir / "devices").string();
    }
    fs::path dir;
};

} // namespace

TEST(LinuxSpeaker, FindsOnlyDevicesThatSoundTones) {
    EXPECT_EQ(LinuxSpeaker::toneDevices(kWithSpeaker), std::vector<std::string>{"event3"});
    EXPECT_TRUE(LinuxSpeaker::toneDevices(kBellOnly).empty());
    EXPECT_TRUE(LinuxSpeaker::toneDevices("").empty());
}

TEST(LinuxSpeaker, SquareToneImageHasTheExactLengthAndPeriods) {
    auto image = LinuxSpeaker::squareToneImage(800, 100);
    ASSERT_EQ(image.size(), 44u + 9600 + 4);
    EXPECT_EQ(image[40] | image[41] << 8, 9600);
    EXPECT_EQ(image[24] | image[25] << 8 | image[26] << 16, 96000);
    // 120 samples a period: 60 low, then 60 high.
    EXPECT_EQ(image[44], 0);
    EXPECT_EQ(image[44 + 59], 0);
    EXPECT_EQ(image[44 + 60], 255);
    EXPECT_EQ(image[44 + 120], 0);
    // 1100 Hz: periods of 87 or 88 samples, but exactly 1100 of them in a second.
    auto second = LinuxSpeaker::squareToneImage(1100, 1000);
    int rises = 0;
    for (size_t i = 45; i < 44 + 96000; ++i)
        rises += second[i - 1] == 0 && second[i] == 255;
    EXPECT_EQ(rises, 1100);
    EXPECT_EQ(LinuxSpeaker::squareToneImage(0, 10)[44], 128); // no frequency: silence
}

TEST(LinuxSpeaker, WithoutASpeakerBeepsThroughTheSoundCard) {
    SpeakerDir dir;
    FakeClock clock;
    FakeSoundDevice sound(&clock);
    LinuxSpeaker speaker(sound, clock, dir.list(kBellOnly), dir.dir.string());
    ASSERT_TRUE(speaker.hasBeepService());
    EXPECT_EQ(speaker.route(), LinuxSpeaker::Route::SoundCard);
    speaker.beep(800, 60);
    ASSERT_EQ(sound.plays.size(), 1u);
    EXPECT_EQ(sound.plays[0].flags, SND_MEMORY);
    EXPECT_EQ(sound.plays[0].image, LinuxSpeaker::squareToneImage(800, 60));
    EXPECT_EQ(clock.now(), 60);
}

TEST(LinuxSpeaker, VeryLongTonesLoopASecondAndStopOnTime) {
    SpeakerDir dir;
    FakeClock clock;
    FakeSoundDevice sound(&clock);
    LinuxSpeaker speaker(sound, clock, dir.list(""), dir.dir.string());
    speaker.beep(800, 90000);
    ASSERT_EQ(sound.plays.size(), 1u);
    EXPECT_EQ(sound.plays[0].flags, SND_MEMORY | SND_ASYNC | SND_LOOP);
    EXPECT_EQ(sound.plays[0].lengthMs, 1000);
    EXPECT_EQ(clock.sleeps, std::vector<int32_t>{90000});
    EXPECT_EQ(sound.stops, 1);
}

TEST(LinuxSpeaker, ASpeakerDeviceGetsToneOnAndOffEvents) {
    SpeakerDir dir;
    std::ofstream(dir.dir / "event3").flush(); // stands in for the device node
    FakeClock clock;
    FakeSoundDevice sound(&clock);
    LinuxSpeaker speaker(sound, clock, dir.list(kWithSpeaker), dir.dir.string());
    ASSERT_TRUE(speaker.hasBeepService());
    EXPECT_EQ(speaker.route(), LinuxSpeaker::Route::SpeakerEvents);
    speaker.beep(1000, 40);
    EXPECT_TRUE(sound.plays.empty());
    EXPECT_EQ(clock.sleeps, std::vector<int32_t>{40});

    std::ifstream in(dir.dir / "event3", std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(bytes.size(), 2 * sizeof(input_event));
    auto* events = reinterpret_cast<const input_event*>(bytes.data());
    EXPECT_EQ(events[0].type, EV_SND);
    EXPECT_EQ(events[0].code, SND_TONE);
    EXPECT_EQ(events[0].value, 1000);
    EXPECT_EQ(events[1].value, 0);
}

TEST(LinuxSpeaker, EmulatedPortsKeepTheGateByte) {
    FakeClock clock;
    FakeSoundDevice sound(&clock);
    LinuxSpeaker speaker(sound, clock, "/nonexistent", "/nonexistent");
    SpeakerOn(speaker, 800);
    EXPECT_EQ(speaker.readPort(0x61), 0x03);
    speaker.writePort(0x61, 0xA7);
    SpeakerOff(speaker);
    EXPECT_EQ(speaker.readPort(0x61), 0xA4);
}
