#include "keying/alphabetswitch.h"

namespace kelvatron {

AlphabetSwitch::AlphabetSwitch(FormControls& ui, Services& services) : ui_(ui), services_(services) {}

void AlphabetSwitch::glCheckBox22Click() {}
void AlphabetSwitch::glCheckBox23Click() {}
void AlphabetSwitch::activateRussianLayout() {}

} // namespace kelvatron
