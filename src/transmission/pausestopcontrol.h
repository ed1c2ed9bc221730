#pragma once

namespace kelvatron {

struct FormControls;
struct FormState;
struct Services;

// The pause and stop buttons and the check a transmission makes before every sign.
class PauseStopControl {
public:
    PauseStopControl(FormControls& ui, Services& services, FormState& state);

    // PauseFlag := the pause button's state.
    void checkdelay();
    void btpause();
    // Processes pending events, waits while paused, and tells whether to stop.
    bool checkstop();
    void btstopclick();

private:
    bool stopRequested() const;

    FormControls& ui_;
    Services& services_;
    FormState& state_;
};

} // namespace kelvatron
