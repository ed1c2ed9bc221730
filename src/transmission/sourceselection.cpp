#include "transmission/sourceselection.h"

#include "transmission/transmissioncontrols.h"

namespace kelvatron {

SourceSelection::SourceSelection(TransmissionControls& controls) : controls_(controls) {}

// The four options act as radio buttons: the clicked one ends up set even when the click
// itself has just cleared it.
void SourceSelection::choose(int index) {
    for (int i = 0; i < 4; ++i)
        controls_.setSourceChecked(static_cast<TransmissionSource>(i), i == index);
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
