#include "radiograms/radiogramcommands.h"

namespace kelvatron {

RadiogramCommands::RadiogramCommands(FormControls& ui, Services& services, FormState& state, SourceSelection& sources)
    : ui_(ui), services_(services), state_(state), sources_(sources) {}

void RadiogramCommands::glLabel9Click() {}
void RadiogramCommands::glLabel10Click() {}
void RadiogramCommands::glLabel11Click() {}

} // namespace kelvatron
