#include "mainwindow/settingspanel.h"

#include <array>

#include "core/cp1251.h"
#include "form/formcontrols.h"
#include "keying/signplayer.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgldigits.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tglprogress.h"

namespace kelvatron {

namespace {
// Step and stop values of glDigits5..10: frequency, ratio, sign pause, group pause, group size,
// group count. A stepper stops when the value equals its stop value exactly.
struct Stepper {
    double step;
    double low;
    double high;
};
constexpr std::array<Stepper, 6> kSteppers = {{
    {100, 100, 5000}, {1, 3, 6}, {1, 1, 4}, {1, 1, 4}, {1, 1, 100}, {1, 1, 200},
}};
constexpr uint8_t kFastest = 10;
constexpr uint8_t kSlowest = 100;
} // namespace

SettingsPanel::SettingsPanel(FormControls& ui, SignPlayer& player) : ui_(ui), player_(player) {}

void SettingsPanel::glCheckBox13Click() {
    ui_.glCheckBox13->setChecked(true);
    ui_.glCheckBox14->setChecked(false);
    ui_.glGroupBox9->hide();
}

void SettingsPanel::glCheckBox14Click() {
    ui_.glCheckBox13->setChecked(false);
    ui_.glCheckBox14->setChecked(true);
    ui_.glGroupBox9->show();
}

void SettingsPanel::waveformClick(int index) {
    auto options = ui_.waveformOptions();
    for (int i = 0; i < int(options.size()); ++i) options[i]->setChecked(i == index);
}

void SettingsPanel::minusClick(int index) {
    TglDigits* display = ui_.settingDisplays()[index];
    const Stepper& s = kSteppers[index];
    if (display->Value() == s.low) return;
    display->setValue(display->Value() - s.step);
    copyToStatusBar(index);
}

void SettingsPanel::plusClick(int index) {
    TglDigits* display = ui_.settingDisplays()[index];
    const Stepper& s = kSteppers[index];
    if (display->Value() == s.high) return;
    display->setValue(display->Value() + s.step);
    copyToStatusBar(index);
}

void SettingsPanel::copyToStatusBar(int index) {
    switch (index) {
    case 0: ui_.glDigits4->setValue(ui_.glDigits5->Value()); break;
    case 4: ui_.glDigits2->setValue(ui_.glDigits9->Value()); break;
    case 5: ui_.glDigits3->setValue(ui_.glDigits10->Value()); break;
    default: break;
    }
}

void SettingsPanel::glCheckBox11Click() {
    if (ui_.glProgress1->Percent() == kFastest) return;
    ui_.glProgress1->setPercent(ui_.glProgress1->Percent() - 1);
    ui_.glDigits1->setValue(ui_.glProgress1->Percent() * 2);
}

void SettingsPanel::glCheckBox12Click() {
    if (ui_.glProgress1->Percent() == kSlowest) return;
    ui_.glProgress1->setPercent(ui_.glProgress1->Percent() + 1);
    ui_.glDigits1->setValue(ui_.glProgress1->Percent() * 2);
}

void SettingsPanel::glGraphicButton3MouseDown() {
    for (const char* sign : {"Т", "Е", "С", "Т"}) player_.playsymvol_1(toCp1251(sign));
}

void SettingsPanel::glGraphicButton2Click() { ui_.glGroupBox8->hide(); }

void SettingsPanel::refreshStatusBar() {
    ui_.glDigits1->setValue(ui_.glProgress1->Percent() * 2);
    ui_.glDigits2->setValue(ui_.glDigits9->Value());
    ui_.glDigits3->setValue(ui_.glDigits10->Value());
    ui_.glDigits4->setValue(ui_.glDigits5->Value());
}

} // namespace kelvatron
