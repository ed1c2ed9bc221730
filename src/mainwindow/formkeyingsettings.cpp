#include "mainwindow/formkeyingsettings.h"

#include <algorithm>

#include "mainwindow/storedcontrols.h"
#include "transmission/storedsettings.h"

namespace kelvatron {

KeyingSettings FormKeyingSettings::keyingSettings() const {
    KeyingSettings k = keyingSettingsOf(storedValuesOf(ui_));
    k.effectiveSignsPerMinute = effective_;
    if (training_) {
        // The speaker's dot is two speed units.
        k.speedUnit = k.soundCard ? training_->dotMs : std::max(1, training_->dotMs / 2);
        k.effectiveSignsPerMinute = training_->effectiveSignsPerMinute;
    }
    return k;
}

SignHints FormKeyingSettings::signHints() const {
    return signHintsOf(storedValuesOf(ui_));
}

} // namespace kelvatron
