#include "transmission/sourceselection.h"

namespace kelvatron {

SourceSelection::SourceSelection(FormControls& ui) : ui_(ui) {}

void SourceSelection::glCheckBox4Click() {}
void SourceSelection::glCheckBox5Click() {}
void SourceSelection::glCheckBox6Click() {}
void SourceSelection::glCheckBox7Click() {}
void SourceSelection::selectTextInWindow() {}

} // namespace kelvatron
