#include "mainwindow/formkeyingsettings.h"

#include "form/formcontrols.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgldigits.h"
#include "widgets/tglprogress.h"

namespace kelvatron {

KeyingSettings FormKeyingSettings::keyingSettings() const {
    KeyingSettings s;
    s.speaker = ui_.glCheckBox13->Checked();
    s.soundCard = ui_.glCheckBox14->Checked();
    s.frequency = ui_.glDigits5->Value();
    // The options are in the waveforms' stored order.
    const auto waves = ui_.waveformOptions();
    for (size_t i = 0; i < waves.size(); ++i)
        if (waves[i]->Checked()) s.waveform = static_cast<TTGWave>(i);
    s.speedUnit = ui_.glProgress1->Percent();
    s.ratio = ui_.glDigits6->Value();
    s.signPause = ui_.glDigits7->Value();
    s.groupPause = ui_.glDigits8->Value();
    return s;
}

SignHints FormKeyingSettings::signHints() const {
    return {ui_.glCheckBox1->Checked(), ui_.glCheckBox2->Checked(), ui_.glCheckBox3->Checked()};
}

} // namespace kelvatron
