#include "transmission/transmissiondriver.h"

namespace kelvatron {

TransmissionDriver::TransmissionDriver(FormControls& ui, Services& services, FormState& state, SignPlayer& player,
                                       PauseStopControl& pauseStop)
    : ui_(ui), services_(services), state_(state), player_(player), pauseStop_(pauseStop) {}

void TransmissionDriver::glCheckBox8Click() {}

} // namespace kelvatron
