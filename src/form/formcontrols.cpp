#include "form/formcontrols.h"

namespace kelvatron {

std::array<TglLabel*, 44> FormControls::characterKeys() const {
    return {glLabel27, glLabel28, glLabel29, glLabel30, glLabel31, glLabel32, glLabel33, glLabel34,
            glLabel35, glLabel36, glLabel37, glLabel38, glLabel39, glLabel40, glLabel41, glLabel42,
            glLabel43, glLabel44, glLabel45, glLabel46, glLabel47, glLabel48, glLabel49, glLabel50,
            glLabel51, glLabel52, glLabel53, glLabel54, glLabel55, glLabel56, glLabel57, glLabel58,
            glLabel59, glLabel60, glLabel61, glLabel62, glLabel63, glLabel64, glLabel65, glLabel66,
            glLabel67, glLabel68, glLabel69, glLabel70};
}

std::array<TglLabel*, 31> FormControls::letterKeys() const {
    return {glLabel39, glLabel40, glLabel41, glLabel42, glLabel43, glLabel44, glLabel45, glLabel46,
            glLabel47, glLabel48, glLabel49, glLabel50, glLabel51, glLabel52, glLabel53, glLabel54,
            glLabel55, glLabel56, glLabel57, glLabel58, glLabel59, glLabel60, glLabel61, glLabel62,
            glLabel63, glLabel64, glLabel65, glLabel66, glLabel67, glLabel68, glLabel69};
}

std::array<TglCheckBox*, 5> FormControls::waveformOptions() const {
    return {glCheckBox15, glCheckBox16, glCheckBox17, glCheckBox18, glCheckBox19};
}

std::array<TglDigits*, 6> FormControls::settingDisplays() const {
    return {glDigits5, glDigits6, glDigits7, glDigits8, glDigits9, glDigits10};
}

std::array<TglCheckBox*, 6> FormControls::minusButtons() const {
    return {glCheckBox24, glCheckBox25, glCheckBox26, glCheckBox27, glCheckBox28, glCheckBox29};
}

std::array<TglCheckBox*, 6> FormControls::plusButtons() const {
    return {glCheckBox30, glCheckBox31, glCheckBox32, glCheckBox33, glCheckBox34, glCheckBox35};
}

std::array<TglCheckBox*, 4> FormControls::sourceOptions() const {
    return {glCheckBox4, glCheckBox5, glCheckBox6, glCheckBox7};
}

std::array<TglGroupBox*, 6> FormControls::floatingPanels() const {
    return {glGroupBox2, glGroupBox8, glGroupBox3, glGroupBox7, trainingPanel, historyPanel};
}

} // namespace kelvatron
