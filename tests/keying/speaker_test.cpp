#include <gtest/gtest.h>

#include "keying/speaker.h"
#include "support/fakeclock.h"
#include "support/fakespeakerhardware.h"

using namespace kelvatron;
using kelvatron::test::FakeClock;
using kelvatron::test::FakeSpeakerHardware;
using Writes = std::vector<std::pair<uint16_t, uint8_t>>;

namespace {
Writes onWrites(uint8_t low, uint8_t high, uint8_t gate) {
    return {{0x43, 0xB6}, {0x42, low}, {0x42, high}, {0x61, gate}};
}
} // namespace

TEST(SpeakerOn, ProgramsTimerChannelTwoWithTheDivisorLowByteFirst) {
    struct Case {
        uint16_t frequency;
        uint8_t low, high;
    };
    // 5000 Hz -> 238, 19 Hz -> 62798 (the widest divisor that fits 16 bits).
    for (Case c : {Case{5000, 0xEE, 0x00}, Case{19, 0x4E, 0xF5}}) {
        FakeSpeakerHardware hw;
        hw.ports[0x61] = 0x30;
        speakerOn(hw, c.frequency);
        EXPECT_EQ(hw.writes(), onWrites(c.low, c.high, 0x33)) << c.frequency;
    }
    for (uint16_t f : {0, 18}) { // too low for the timer: no port is touched
        FakeSpeakerHardware hw;
        speakerOn(hw, f);
        EXPECT_TRUE(hw.log.empty()) << f;
    }
}

TEST(SpeakerTone, PortPathSwitchesOnWaitsAndSwitchesOff) {
    FakeClock clock;
    FakeSpeakerHardware hw(&clock);
    hw.ports[0x61] = 0x10;
    soundSpeakerTone(hw, clock, 65536 + 800, 60); // the frequency is taken as 16 bits
    Writes expected = onWrites(0xD3, 0x05, 0x13);
    expected.push_back({0x61, 0x10});
    EXPECT_EQ(hw.writes(), expected);
    EXPECT_EQ(hw.log.back().atMs, 60); // switched off after the wait
    // Too low a tone still waits and switches off.
    hw.log.clear();
    soundSpeakerTone(hw, clock, 18, 120);
    EXPECT_EQ(hw.writes(), (Writes{{0x61, 0x10}}));
    EXPECT_EQ(clock.sleeps, (std::vector<int32_t>{60, 120}));
}

TEST(SpeakerTone, BeepServiceIsAskedForEachToneAndGetsRoundedValues) {
    FakeClock clock;
    FakeSpeakerHardware hw(&clock);
    hw.beepService = true;
    soundSpeakerTone(hw, clock, 799.6, 59.4);
    soundSpeakerTone(hw, clock, 1000.5, 2.5); // halves go to the even neighbour
    ASSERT_EQ(hw.log.size(), 2u);
    EXPECT_EQ(hw.log[0],
              (FakeSpeakerHardware::Access{FakeSpeakerHardware::Access::Beep, 0, 0, 800, 59, 0}));
    EXPECT_EQ(hw.log[1].frequency, 1000);
    EXPECT_EQ(hw.log[1].duration, 2);
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_EQ(clock.now(), 61); // the beep itself took the time
    hw.beepService = false;
    soundSpeakerTone(hw, clock, 800, 10);
    EXPECT_EQ(hw.queries, 3);
    EXPECT_EQ(hw.writes().size(), 5u); // the last tone went through the ports
}
