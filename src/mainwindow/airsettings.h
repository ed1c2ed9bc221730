#pragma once
#include <QString>

#include "audio/airconditions.h"

namespace kelvatron {

// The air's settings as the learner keeps them, in a group of their own ("Air") beside the
// window's values: the conditions, and whether the start button's transmission and the speed
// test hear them too (receive exercises, lessons and exports always do while they are on).
struct AirSettings {
    AirConditions conditions;
    bool onTransmission = false;
    bool onSpeedTest = false;

    bool hears(AirOccasion occasion) const {
        if (!conditions.on) return false;
        if (occasion == AirOccasion::Transmission) return onTransmission;
        if (occasion == AirOccasion::SpeedTest) return onSpeedTest;
        return true;
    }
};

// Read from the user's settings file; a value missing or out of its range is the default.
AirSettings loadAirSettings();
// Written at once.
void saveAirSettings(const AirSettings& settings);

inline constexpr char kAirSettingsGroup[] = "Air";

} // namespace kelvatron
