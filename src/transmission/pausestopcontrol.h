#pragma once

namespace kelvatron {

struct FormState;
class EventPump;
class Progress;
class TransmissionControls;

// The pause and stop buttons and the check a transmission makes before every sign.
class PauseStopControl {
public:
    PauseStopControl(TransmissionControls& controls, Progress& progress, EventPump& events,
                     FormState& state);

    // PauseFlag := the pause button's state.
    void checkdelay();
    void btpause();
    // Processes pending events, waits while paused, and tells whether to stop.
    bool checkstop();
    void btstopclick();

private:
    bool stopRequested() const;

    TransmissionControls& controls_;
    Progress& progress_;
    EventPump& events_;
    FormState& state_;
};

} // namespace kelvatron
