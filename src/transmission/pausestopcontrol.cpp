#include "transmission/pausestopcontrol.h"

#include "core/eventpump.h"
#include "core/formstate.h"
#include "core/progress.h"
#include "transmission/transmissioncontrols.h"

namespace kelvatron {

PauseStopControl::PauseStopControl(TransmissionControls& controls, Progress& progress,
                                   EventPump& events, FormState& state)
    : controls_(controls), progress_(progress), events_(events), state_(state) {}

void PauseStopControl::readPauseButton() {
    state_.pauseFlag = controls_.pauseChecked() ? 1 : 0;
}

bool PauseStopControl::stopRequested() const {
    return state_.stopFlag == 1;
}

// Pending events are handled once per sign even when nothing is paused, so the buttons, keys
// and settings stay usable. While paused the loop sleeps in the event queue instead of spinning:
// a click on pause or stop wakes it and is acted on in the same pass.
bool PauseStopControl::shouldStop() {
    if (stopRequested()) return true;
    events_.processEvents();
    while (state_.pauseFlag != 0 && !stopRequested())
        events_.waitForEvents();
    return stopRequested();
}

// The buttons, progress bar and hint options are reset here at once; the transmission itself
// leaves at its next check. pauseFlag keeps its value: the stop is tested first, and the next
// start reloads it from the released button.
void PauseStopControl::stop() {
    controls_.setStartChecked(false);
    controls_.setPauseChecked(false);
    state_.stopFlag = 1;
    progress_.setPosition(0);
    events_.processEvents();
    controls_.lockHints(false);
}

} // namespace kelvatron
