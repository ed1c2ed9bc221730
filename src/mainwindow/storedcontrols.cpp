#include "mainwindow/storedcontrols.h"

#include "form/formcontrols.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgldigits.h"
#include "widgets/tglprogress.h"

namespace kelvatron {

namespace {

// The check boxes of the stored values from prop::FirstBoolean on, in kProps order.
std::array<TglCheckBox*, kPropCount - prop::FirstBoolean> storedCheckBoxes(const FormControls& ui) {
    const auto sources = ui.sourceOptions();
    const auto waves = ui.waveformOptions();
    return {sources[0],      sources[1],     sources[2],      sources[3],
            ui.glCheckBox1,  ui.glCheckBox2, ui.glCheckBox3,  ui.glCheckBox13,
            ui.glCheckBox14, waves[0],       waves[1],        waves[2],
            waves[3],        waves[4],       ui.glCheckBox20, ui.glCheckBox21};
}

} // namespace

PropValues storedValuesOf(const FormControls& ui) {
    PropValues values{};
    const auto displays = ui.settingDisplays();
    for (std::size_t i = 0; i < displays.size(); ++i)
        values[prop::FirstDisplay + i] = displays[i]->Value();
    values[prop::Speed] = ui.glProgress1->Percent();
    const auto boxes = storedCheckBoxes(ui);
    for (std::size_t i = 0; i < boxes.size(); ++i)
        values[prop::FirstBoolean + i] = boxes[i]->Checked() ? 1 : 0;
    return values;
}

void showStoredValues(const FormControls& ui, const PropValues& values) {
    const auto displays = ui.settingDisplays();
    for (std::size_t i = 0; i < displays.size(); ++i)
        displays[i]->setValue(values[prop::FirstDisplay + i]);
    ui.glProgress1->setPercent(uint8_t(values[prop::Speed]));
    const auto boxes = storedCheckBoxes(ui);
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setChecked(values[prop::FirstBoolean + i] != 0);
}

} // namespace kelvatron
