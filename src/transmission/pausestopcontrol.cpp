#include "transmission/pausestopcontrol.h"

#include "core/eventpump.h"
#include "form/formcontrols.h"
#include "form/formstate.h"
#include "form/services.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tprogressbar.h"

namespace kelvatron {

PauseStopControl::PauseStopControl(FormControls& ui, Services& services, FormState& state)
    : ui_(ui), services_(services), state_(state) {}

void PauseStopControl::checkdelay() {
    state_.PauseFlag = ui_.glCheckBox9->Checked() ? 1 : 0;
}

void PauseStopControl::btpause() {
    checkdelay();
}

bool PauseStopControl::stopRequested() const {
    return state_.StopFlag == 1;
}

// Pending events are handled once per sign even when nothing is paused, so the buttons, keys
// and settings stay usable. While paused the loop sleeps in the event queue instead of spinning:
// a click on pause or stop wakes it and is acted on in the same pass.
bool PauseStopControl::checkstop() {
    if (stopRequested()) return true;
    services_.events.processEvents();
    while (state_.PauseFlag != 0 && !stopRequested())
        services_.events.waitForEvents();
    return stopRequested();
}

// The buttons, progress bar and hint options are reset here at once; the transmission itself
// leaves at its next check. PauseFlag keeps its value: the stop is tested first, and the next
// start reloads it from the released button.
void PauseStopControl::btstopclick() {
    ui_.glCheckBox8->setChecked(false);
    ui_.glCheckBox9->setChecked(false);
    state_.StopFlag = 1;
    ui_.ProgressBar1->setPosition(0);
    services_.events.processEvents();
    ui_.glCheckBox1->setEnabled(true);
    ui_.glCheckBox2->setVisible(true);
    ui_.glCheckBox3->setVisible(true);
}

} // namespace kelvatron
