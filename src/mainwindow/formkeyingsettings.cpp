#include "mainwindow/formkeyingsettings.h"

#include "mainwindow/storedcontrols.h"
#include "transmission/storedsettings.h"

namespace kelvatron {

KeyingSettings FormKeyingSettings::keyingSettings() const {
    return keyingSettingsOf(storedValuesOf(ui_));
}

SignHints FormKeyingSettings::signHints() const {
    return signHintsOf(storedValuesOf(ui_));
}

} // namespace kelvatron
