#include "mainwindow/formkeyingsettings.h"

#include "mainwindow/storedcontrols.h"
#include "transmission/storedsettings.h"

namespace kelvatron {

KeyingSettings FormKeyingSettings::keyingSettings() const {
    KeyingSettings k = keyingSettingsOf(storedValuesOf(ui_));
    k.effectiveSignsPerMinute = effective_;
    return k;
}

SignHints FormKeyingSettings::signHints() const {
    return signHintsOf(storedValuesOf(ui_));
}

} // namespace kelvatron
