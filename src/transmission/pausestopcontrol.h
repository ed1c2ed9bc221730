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

    // The pause button: the transmission waits before its next sign while it is down.
    void readPauseButton();
    // Processes pending events, waits while paused, and tells whether to stop.
    bool shouldStop();
    // The stop button: resets the buttons at once; the transmission ends at its next check.
    void stop();

private:
    bool stopRequested() const;

    TransmissionControls& controls_;
    Progress& progress_;
    EventPump& events_;
    FormState& state_;
};

} // namespace kelvatron
