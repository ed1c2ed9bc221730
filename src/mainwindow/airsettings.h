#pragma once
#include <QString>

#include "audio/airconditions.h"

namespace kelvatron {

// The air's settings as the learner keeps them, in a group of their own ("Air") beside the
// window's values: the conditions, and whether the start button's transmission hears them too
// (the receive exercise always does while they are on).
struct AirSettings {
    AirConditions conditions;
    bool onTransmission = false;
};

// Read from the user's settings file; a value missing or out of its range is the default.
AirSettings loadAirSettings();
// Written at once.
void saveAirSettings(const AirSettings& settings);

inline constexpr char kAirSettingsGroup[] = "Air";

} // namespace kelvatron
