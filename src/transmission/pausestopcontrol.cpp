#include "transmission/pausestopcontrol.h"

namespace kelvatron {

PauseStopControl::PauseStopControl(FormControls& ui, Services& services, FormState& state)
    : ui_(ui), services_(services), state_(state) {}

void PauseStopControl::checkdelay() {}
void PauseStopControl::btpause() {}
bool PauseStopControl::checkstop() { return false; }
void PauseStopControl::btstopclick() {}

} // namespace kelvatron
