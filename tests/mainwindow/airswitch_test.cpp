// Which sounds hear the learner's air, and against which tone.
#include <gtest/gtest.h>

#include "mainwindow/airswitch.h"
#include "support/fakewindow.h"

using namespace kelvatron;

// Receive exercises, lessons and exports hear the air whenever it is on; the start button's
// transmission and a speed test only when chosen too (a speed test is clean until then); nothing
// hears it while it is off. Whatever hears it is measured against the keyed tone as it stands.
TEST(AirSwitch, EachOccasionHearsTheAirAsChosenAtTheKeyedTone) {
    test::FakeKeyingSettings keying;
    keying.settings.frequency = 600, keying.settings.waveform = TTGWave::tgSquare;
    AirSwitch air(keying);
    EXPECT_FALSE(air.settings().onSpeedTest || air.settings().onTransmission);
    const struct {
        bool on, transmission, speedTest;
        AirOccasion occasion;
        bool hears;
    } rows[] = {
        {true, false, false, AirOccasion::Exercise, true},
        {true, false, false, AirOccasion::Export, true},
        {true, false, false, AirOccasion::SpeedTest, false},
        {true, false, true, AirOccasion::SpeedTest, true},
        {true, false, false, AirOccasion::Transmission, false},
        {true, true, false, AirOccasion::Transmission, true},
        {false, true, true, AirOccasion::Exercise, false},
        {false, true, true, AirOccasion::SpeedTest, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << int(r.occasion) << " on " << r.on);
        air.settings().conditions.on = r.on;
        air.settings().onTransmission = r.transmission;
        air.settings().onSpeedTest = r.speedTest;
        const AirConditions c = air.conditionsFor(r.occasion);
        EXPECT_EQ(c.on, r.hears);
        EXPECT_EQ(c.toneHz, 600);
        EXPECT_EQ(c.tonePower, 1.0); // a full-scale square
        EXPECT_EQ(bool(air.exportChain()), r.on);
        EXPECT_EQ(air.chainFor(r.occasion, 48000) != nullptr, r.hears); // the pile-up's mix
    }
}
