#include "mainwindow/settingspanel.h"

#include "core/cp1251.h"
#include "form/formcontrols.h"
#include "keying/signplayer.h"
#include "settings/settingsprops.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgldigits.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tglprogress.h"

namespace kelvatron {

SettingsPanel::SettingsPanel(FormControls& ui, SignPlayer& player) : ui_(ui), player_(player) {}

void SettingsPanel::chooseSpeaker() {
    ui_.glCheckBox13->setChecked(true);
    ui_.glCheckBox14->setChecked(false);
    ui_.glGroupBox9->hide();
}

void SettingsPanel::chooseSoundCard() {
    ui_.glCheckBox13->setChecked(false);
    ui_.glCheckBox14->setChecked(true);
    ui_.glGroupBox9->show();
}

void SettingsPanel::waveformClick(int index) {
    auto options = ui_.waveformOptions();
    for (int i = 0; i < int(options.size()); ++i)
        options[i]->setChecked(i == index);
}

void SettingsPanel::minusClick(int index) {
    TglDigits* display = ui_.settingDisplays()[index];
    const StepperRange& s = kDisplayRanges[index];
    if (display->Value() == s.low) return;
    display->setValue(display->Value() - s.step);
    copyToStatusBar(index);
}

void SettingsPanel::plusClick(int index) {
    TglDigits* display = ui_.settingDisplays()[index];
    const StepperRange& s = kDisplayRanges[index];
    if (display->Value() == s.high) return;
    display->setValue(display->Value() + s.step);
    copyToStatusBar(index);
}

void SettingsPanel::copyToStatusBar(int index) {
    switch (index) {
    case 0:
        ui_.glDigits4->setValue(ui_.glDigits5->Value());
        break;
    case 4:
        ui_.glDigits2->setValue(ui_.glDigits9->Value());
        break;
    case 5:
        ui_.glDigits3->setValue(ui_.glDigits10->Value());
        break;
    default:
        break;
    }
}

void SettingsPanel::faster() {
    if (ui_.glProgress1->Percent() == kFastestSpeed) return;
    ui_.glProgress1->setPercent(ui_.glProgress1->Percent() - 1);
    ui_.glDigits1->setValue(ui_.glProgress1->Percent() * 2);
}

void SettingsPanel::slower() {
    if (ui_.glProgress1->Percent() == kSlowestSpeed) return;
    ui_.glProgress1->setPercent(ui_.glProgress1->Percent() + 1);
    ui_.glDigits1->setValue(ui_.glProgress1->Percent() * 2);
}

void SettingsPanel::soundTest() {
    for (const char* sign : {"Т", "Е", "С", "Т"})
        player_.keySign(toCp1251(sign));
}

void SettingsPanel::close() {
    ui_.glGroupBox8->hide();
}

void SettingsPanel::refreshStatusBar() {
    ui_.glDigits1->setValue(ui_.glProgress1->Percent() * 2);
    ui_.glDigits2->setValue(ui_.glDigits9->Value());
    ui_.glDigits3->setValue(ui_.glDigits10->Value());
    ui_.glDigits4->setValue(ui_.glDigits5->Value());
}

} // namespace kelvatron
