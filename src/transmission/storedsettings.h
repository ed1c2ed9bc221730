#pragma once
#include "keying/keyingsettings.h"
#include "settings/settingsloader.h"
#include "transmission/transmissioncontrols.h"

namespace kelvatron {

// What the stored settings' values stand for: the one reading of their positions, used by the
// window (over the values its controls hold) and by the command line (over the stored file).

// The outputs, frequency, waveform, speed unit, ratio and pauses.
KeyingSettings keyingSettingsOf(const PropValues& stored);
// What a sign shows before it sounds.
SignHints signHintsOf(const PropValues& stored);
// The group size and count, the source and the opening and closing. The alphabet is not
// stored: neither is chosen here.
TransmissionSettings transmissionSettingsOf(const PropValues& stored);

} // namespace kelvatron
