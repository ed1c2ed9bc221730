#include "mainwindow/formtransmissioncontrols.h"

#include "form/formcontrols.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgldigits.h"

namespace kelvatron {

TransmissionSettings FormTransmissionControls::transmissionSettings() const {
    TransmissionSettings s;
    s.groupSize = ui_.glDigits9->Value();
    s.groupCount = ui_.glDigits10->Value();
    s.digits = ui_.glCheckBox4->Checked();
    s.letters = ui_.glCheckBox5->Checked();
    s.digitsAndLetters = ui_.glCheckBox6->Checked();
    s.textInWindow = ui_.glCheckBox7->Checked();
    s.opening = ui_.glCheckBox20->Checked();
    s.closing = ui_.glCheckBox21->Checked();
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
