#pragma once
#include "settings/settingsloader.h"

namespace kelvatron {

// Brings loaded values back to what the controls can step through and what the program can act
// on: every display to the nearest step of its stepper's grid within its range, the speed into
// 10..100, and exactly one choice in each of the groups output, waveform and exercise source
// (the first one checked; the default choice when none is). `defaults` are the layout's values.
void mendProps(PropValues& values, const PropValues& defaults);

} // namespace kelvatron
