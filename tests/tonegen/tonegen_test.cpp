// Properties, the rebuild flags, playback requests and the device volume.
#include <gtest/gtest.h>

#include <vector>

#include "core/random.h"
#include "support/fakeclock.h"
#include "support/fakesounddevice.h"
#include "tonegen/tonegen.h"

using namespace kelvatron;
using namespace kelvatron::test;

namespace {

constexpr uint32_t kFullVolume = 0xFFFFFFFFu;    // 65535 in both words
constexpr uint32_t kProgramVolume = 0xCCCCCCCCu; // 80 % is 52428 in both words

class ToneGen : public ::testing::Test {
protected:
    ToneGen() {
        gen.setResolution(TTGResolution::tg8Bit);
        gen.setFrequency(800);
        gen.setAsync(false);
    }

    FakeClock clock;
    FakeSoundDevice device{&clock};
    TToneGen gen{device};
};

// Noise draws from the shared generator on every build, so an unchanged seed shows that the
// image was reused.
TEST_F(ToneGen, PlaysRebuildOnlyWhenTheImageDoesNotFit) {
    gen.setWaveform(TTGWave::tgNoise);
    RandSeed = 7;
    gen.playAdsr();
    const uint32_t afterFirst = RandSeed;
    EXPECT_NE(afterFirst, 7u);
    gen.playAdsr();
    EXPECT_EQ(RandSeed, afterFirst);
    ASSERT_EQ(device.plays.size(), 2u);
    EXPECT_EQ(device.plays[0].image, device.plays[1].image);

    gen.setWaveform(TTGWave::tgSquare);
    gen.playAdsr();
    const auto enveloped = device.plays.back().image;
    gen.play(); // the envelope must go: rebuilt plain
    EXPECT_FALSE(gen.envelopeApplied());
    EXPECT_NE(device.plays.back().image, enveloped);
    EXPECT_EQ(device.plays.back().image[44 + 60], 255);
}

TEST_F(ToneGen, PlayFlagsAndStoppedState) {
    struct Case {
        bool async, loop;
        uint32_t flags;
        bool stoppedAfter;
        double clockAfter; // only a synchronous play lasts the tone's length
    };
    for (const Case& c : {Case{false, false, 4, true, 100}, Case{true, false, 5, false, 0},
                          Case{false, true, 13, false, 0}}) {
        SCOPED_TRACE(c.flags);
        clock.time = 0;
        gen.setAsync(c.async);
        gen.setLoop(c.loop);
        const int stopsBefore = device.stops;
        gen.play();
        ASSERT_FALSE(device.plays.empty());
        EXPECT_EQ(device.plays.back().flags, c.flags);
        EXPECT_EQ(gen.stopped(), c.stoppedAfter);
        EXPECT_EQ(clock.time, c.clockAfter);
        EXPECT_GE(device.stops, stopsBefore + 1);
        gen.stop();
        EXPECT_TRUE(gen.stopped());
    }
}

// The low word is the left channel.
TEST_F(ToneGen, VolumeWordsAndWhenTheyReachTheDevice) {
    gen.setRightVolume(100);
    gen.setLeftVolume(0);
    EXPECT_EQ(device.volume, 0xFFFF0000u);

    // While an asynchronous tone plays, a new volume waits for the next play.
    gen.setAsync(true);
    gen.play();
    gen.setLeftVolume(80);
    gen.setRightVolume(80);
    EXPECT_EQ(device.volume, 0xFFFF0000u);
    gen.presetVolume();
    EXPECT_EQ(device.volume, kProgramVolume);

    // While stored settings are loaded, they apply at once.
    gen.setLoading(true);
    gen.setLeftVolume(100);
    EXPECT_EQ(device.volume, 0xCCCCFFFFu);
    gen.setLoading(false);
    gen.setRightVolume(100);
    EXPECT_EQ(device.volume, 0xCCCCFFFFu);
    gen.play();
    EXPECT_EQ(device.volume, kFullVolume);
}

TEST(ToneGenLifetime, FirstInstanceSavesAndLastRestoresTheDeviceVolume) {
    ASSERT_EQ(TToneGen::instanceCount(), 0);
    FakeSoundDevice device;
    device.volume = 0x11112222u;
    {
        TToneGen first(device);
        EXPECT_EQ(TToneGen::savedVolume(), 0x11112222u);
        EXPECT_EQ(device.volumeWrites, (std::vector<uint32_t>{kFullVolume}));
        first.setLeftVolume(80);
        {
            device.volume = 0x33334444u;
            TToneGen second(device);
            EXPECT_EQ(TToneGen::instanceCount(), 2);
            EXPECT_EQ(TToneGen::savedVolume(), 0x11112222u);
        }
        EXPECT_EQ(device.volume, 0x33334444u); // not the last one: nothing restored
        device.volume = 0x55556666u;
    }
    EXPECT_EQ(TToneGen::instanceCount(), 0);
    EXPECT_EQ(device.volume, 0x11112222u);
    const size_t writes = device.volumeWrites.size();
    { TToneGen designing(device, true); }
    EXPECT_EQ(device.volumeWrites.size(), writes) << "a designing instance leaves it alone";
}

} // namespace
