#include "mainwindow/formtransmissioncontrols.h"

#include "form/formcontrols.h"
#include "mainwindow/storedcontrols.h"
#include "transmission/storedsettings.h"
#include "widgets/tglcheckbox.h"

namespace kelvatron {

TransmissionSettings FormTransmissionControls::transmissionSettings() const {
    TransmissionSettings s = transmissionSettingsOf(storedValuesOf(ui_));
    s.cyrillic = ui_.glCheckBox22->Checked();
    s.latin = ui_.glCheckBox23->Checked();
    return s;
}

void FormTransmissionControls::setSourceChecked(TransmissionSource source, bool checked) {
    ui_.sourceOptions()[static_cast<size_t>(source)]->setChecked(checked);
}

bool FormTransmissionControls::startChecked() const {
    return ui_.glCheckBox8->Checked();
}

void FormTransmissionControls::setStartChecked(bool checked) {
    ui_.glCheckBox8->setChecked(checked);
}

bool FormTransmissionControls::pauseChecked() const {
    return ui_.glCheckBox9->Checked();
}

void FormTransmissionControls::setPauseChecked(bool checked) {
    ui_.glCheckBox9->setChecked(checked);
}

void FormTransmissionControls::lockHints(bool locked) {
    ui_.glCheckBox1->setEnabled(!locked);
    ui_.glCheckBox2->setVisible(!locked);
    ui_.glCheckBox3->setVisible(!locked);
}

} // namespace kelvatron
