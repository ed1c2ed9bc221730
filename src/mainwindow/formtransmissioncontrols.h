#pragma once
#include "transmission/transmissioncontrols.h"

namespace kelvatron {

struct FormControls;

// The transmission's buttons and options on the window: start glCheckBox8, pause glCheckBox9,
// sources glCheckBox4..7, opening and closing glCheckBox20/21, alphabets glCheckBox22/23, hints
// glCheckBox1..3, group size and count glDigits9/10.
class FormTransmissionControls : public TransmissionControls {
public:
    explicit FormTransmissionControls(const FormControls& ui) : ui_(ui) {}
    TransmissionSettings transmissionSettings() const override;
    void setSourceChecked(TransmissionSource source, bool checked) override;
    bool startChecked() const override;
    void setStartChecked(bool checked) override;
    bool pauseChecked() const override;
    void setPauseChecked(bool checked) override;
    void lockHints(bool locked) override;

private:
    const FormControls& ui_;
};

} // namespace kelvatron
