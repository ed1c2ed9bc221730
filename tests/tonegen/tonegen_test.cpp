// Properties, the rebuild flags, playback requests and the device volume.
#include <gtest/gtest.h>

#include <string>
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

TEST_F(ToneGen, OutOfRangeWritesAreClampedSilentlyAtRunTime) {
    std::vector<std::string> messages;
    auto previous = TToneGen::setRangeMessageHandler(
        [&](const std::string& text) { messages.push_back(text); });
    gen.setDuration(0);
    EXPECT_EQ(gen.Duration(), 10);
    gen.setFrequency(25000);
    EXPECT_EQ(gen.Frequency(), 20000);
    gen.setFrequency(19);
    EXPECT_EQ(gen.Frequency(), 20);
    gen.setSustain(-5);
    EXPECT_EQ(gen.Sustain(), 0);
    gen.setAttack(101);
    EXPECT_EQ(gen.Attack(), 100);
    gen.setLeftVolume(150);
    EXPECT_EQ(gen.LeftVolume(), 100);
    gen.setRightVolume(-1);
    EXPECT_EQ(gen.RightVolume(), 0);
    EXPECT_TRUE(messages.empty());

    {
        TToneGen designing(device, true);
        designing.setFrequency(25000);
        EXPECT_EQ(designing.Frequency(), 20000);
        designing.setRelease(100);
        designing.setDuration(5);
    }
    EXPECT_EQ(messages, (std::vector<std::string>{"Value must be between 20 and 20000",
                                                  "Value must be between 10 and 32767"}));
    TToneGen::setRangeMessageHandler(previous);
}

TEST_F(ToneGen, WritesMarkTheirFlagEvenWithoutChange) {
    ASSERT_TRUE(gen.Prepare());
    EXPECT_FALSE(gen.WaveChanged());
    gen.setFrequency(gen.Frequency());
    EXPECT_TRUE(gen.WaveChanged());

    ASSERT_TRUE(gen.PrepareADSR());
    gen.setAttack(gen.Attack());
    EXPECT_TRUE(gen.EnvelopeChanged());
    EXPECT_FALSE(gen.WaveChanged());
    gen.setAsync(true);
    gen.setLoop(false);
    gen.setLeftVolume(80);
    EXPECT_FALSE(gen.WaveChanged());
}

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

    RandSeed = 7;
    gen.setWaveform(TTGWave::tgNoise);
    gen.Play();
    const uint32_t afterPlain = RandSeed;
    gen.Play();
    EXPECT_EQ(RandSeed, afterPlain);
    gen.setSustain(40); // the envelope does not concern a plain tone
    gen.Play();
    EXPECT_EQ(RandSeed, afterPlain);
    gen.PlayADSR();
    EXPECT_NE(RandSeed, afterPlain);
}

TEST_F(ToneGen, PlayFlagsAndStoppedState) {
    struct Case {
        bool async, loop;
        uint32_t flags;
        bool stoppedAfter;
        double clockAfter;
    };
    for (const Case& c : {Case{false, false, 4, true, 100}, Case{true, false, 5, false, 0},
                          Case{false, true, 13, false, 0}, Case{true, true, 13, false, 0}}) {
        clock.time = 0;
        gen.setAsync(c.async);
        gen.setLoop(c.loop);
        const int stopsBefore = device.stops;
        gen.Play();
        ASSERT_FALSE(device.plays.empty());
        EXPECT_EQ(device.plays.back().flags, c.flags);
        EXPECT_EQ(gen.Stopped(), c.stoppedAfter);
        EXPECT_EQ(clock.time, c.clockAfter); // only a synchronous play lasts the tone's length
        EXPECT_GE(device.stops, stopsBefore + 1);
        gen.Stop();
        EXPECT_TRUE(gen.Stopped());
    }
}

TEST_F(ToneGen, VolumeWordsAndWhenTheyReachTheDevice) {
    device.volumeWrites.clear();
    gen.setLeftVolume(80);
    gen.setRightVolume(80);
    EXPECT_EQ(device.volume, kProgramVolume);
    gen.setLeftVolume(100);
    gen.setRightVolume(0);
    EXPECT_EQ(device.volume, 0x0000FFFFu); // low word left
    gen.setRightVolume(100);
    gen.setLeftVolume(0);
    EXPECT_EQ(device.volume, 0xFFFF0000u);

    // While an asynchronous tone plays, a new volume waits for the next play.
    gen.setAsync(true);
    gen.Play();
    EXPECT_EQ(device.volume, 0xFFFF0000u);
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
        first.setRightVolume(80);
        {
            device.volume = 0x33334444u;
            TToneGen second(device);
            EXPECT_EQ(TToneGen::InstanceCount(), 2);
            EXPECT_EQ(TToneGen::SavedDeviceVolume(), 0x11112222u);
        }
        EXPECT_EQ(TToneGen::InstanceCount(), 1);
        EXPECT_EQ(device.volume, 0x33334444u); // not the last one: nothing restored
        device.volume = 0x55556666u;
    }
    EXPECT_EQ(TToneGen::InstanceCount(), 0);
    EXPECT_EQ(device.volume, 0x11112222u);
}

TEST(ToneGenLifetime, DestroyStopsAPlayingTone) {
    FakeSoundDevice device;
    int stopsWhilePlaying = 0;
    {
        TToneGen gen(device);
        gen.setLoop(true);
        gen.Play();
        stopsWhilePlaying = device.stops;
    }
    EXPECT_EQ(device.stops, stopsWhilePlaying + 1);
}

TEST(ToneGenLifetime, MonoDeviceLevelIsSavedForBothChannels) {
    FakeSoundDevice device;
    device.leftRight = false;
    device.volume = 0x00001234u;
    { TToneGen gen(device); }
    EXPECT_EQ(device.volume, 0x12341234u);
    EXPECT_EQ(TToneGen::SavedDeviceVolume(), 0x12341234u);
}

TEST(ToneGenLifetime, DesigningInstancesLeaveTheDeviceVolumeAlone) {
    FakeSoundDevice device;
    device.volume = 0x0000ABCDu;
    {
        TToneGen gen(device, true);
        EXPECT_EQ(TToneGen::InstanceCount(), 1);
    }
    EXPECT_TRUE(device.volumeWrites.empty());
    EXPECT_EQ(TToneGen::InstanceCount(), 0);
}

} // namespace
