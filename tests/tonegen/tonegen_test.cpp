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
    gen.PlayADSR();
    const uint32_t afterFirst = RandSeed;
    EXPECT_NE(afterFirst, 7u);
    gen.PlayADSR();
    EXPECT_EQ(RandSeed, afterFirst);
    ASSERT_EQ(device.plays.size(), 2u);
    EXPECT_EQ(device.plays[0].image, device.plays[1].image);

    gen.setWaveform(TTGWave::tgSquare);
    gen.PlayADSR();
    const auto enveloped = device.plays.back().image;
    gen.Play(); // the envelope must go: rebuilt plain
    EXPECT_FALSE(gen.EnvelopeApplied());
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
        gen.Play();
        ASSERT_FALSE(device.plays.empty());
        EXPECT_EQ(device.plays.back().flags, c.flags);
        EXPECT_EQ(gen.Stopped(), c.stoppedAfter);
        EXPECT_EQ(clock.time, c.clockAfter);
        EXPECT_GE(device.stops, stopsBefore + 1);
        gen.Stop();
        EXPECT_TRUE(gen.Stopped());
    }
}

// The low word is the left channel.
TEST_F(ToneGen, VolumeWordsAndWhenTheyReachTheDevice) {
    gen.setRightVolume(100);
    gen.setLeftVolume(0);
    EXPECT_EQ(device.volume, 0xFFFF0000u);

    // While an asynchronous tone plays, a new volume waits for the next play.
    gen.setAsync(true);
    gen.Play();
    gen.setLeftVolume(80);
    gen.setRightVolume(80);
    EXPECT_EQ(device.volume, 0xFFFF0000u);
    gen.PresetVolume();
    EXPECT_EQ(device.volume, kProgramVolume);

    // While stored settings are loaded, they apply at once.
    gen.setLoading(true);
    gen.setLeftVolume(100);
    EXPECT_EQ(device.volume, 0xCCCCFFFFu);
    gen.setLoading(false);
    gen.setRightVolume(100);
    EXPECT_EQ(device.volume, 0xCCCCFFFFu);
    gen.Play();
    EXPECT_EQ(device.volume, kFullVolume);
}

TEST(ToneGenLifetime, FirstInstanceSavesAndLastRestoresTheDeviceVolume) {
    ASSERT_EQ(TToneGen::InstanceCount(), 0);
    FakeSoundDevice device;
    device.volume = 0x11112222u;
    {
        TToneGen first(device);
        EXPECT_EQ(TToneGen::SavedDeviceVolume(), 0x11112222u);
        EXPECT_EQ(device.volumeWrites, (std::vector<uint32_t>{kFullVolume}));
        first.setLeftVolume(80);
        {
            device.volume = 0x33334444u;
            TToneGen second(device);
            EXPECT_EQ(TToneGen::InstanceCount(), 2);
            EXPECT_EQ(TToneGen::SavedDeviceVolume(), 0x11112222u);
        }
        EXPECT_EQ(device.volume, 0x33334444u); // not the last one: nothing restored
        device.volume = 0x55556666u;
    }
    EXPECT_EQ(TToneGen::InstanceCount(), 0);
    EXPECT_EQ(device.volume, 0x11112222u);
    const size_t writes = device.volumeWrites.size();
    { TToneGen designing(device, true); }
    EXPECT_EQ(device.volumeWrites.size(), writes) << "a designing instance leaves it alone";
}

} // namespace
