#include "transmission/sourceselection.h"

#include "form/formcontrols.h"
#include "widgets/tglcheckbox.h"

namespace kelvatron {

SourceSelection::SourceSelection(FormControls& ui) : ui_(ui) {}

// The four options act as radio buttons: the clicked one ends up set even when the click
// itself has just cleared it.
void SourceSelection::choose(int index) {
    auto options = ui_.sourceOptions();
    for (int i = 0; i < int(options.size()); ++i)
        options[i]->setChecked(i == index);
}

void SourceSelection::glCheckBox4Click() {
    choose(0);
}
void SourceSelection::glCheckBox5Click() {
    choose(1);
}
void SourceSelection::glCheckBox6Click() {
    choose(2);
}
void SourceSelection::glCheckBox7Click() {
    choose(3);
}
void SourceSelection::selectTextInWindow() {
    choose(3);
}

} // namespace kelvatron
