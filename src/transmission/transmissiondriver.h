#pragma once

namespace kelvatron {

struct FormControls;
struct FormState;
struct Services;
class PauseStopControl;
class SignPlayer;

// Keys a whole exercise: the opening, the text in the window or random groups, the closing.
class TransmissionDriver {
public:
    TransmissionDriver(FormControls& ui, Services& services, FormState& state, SignPlayer& player,
                       PauseStopControl& pauseStop);

    // The start button: runs the whole transmission before it returns.
    void glCheckBox8Click();

private:
    FormControls& ui_;
    Services& services_;
    FormState& state_;
    SignPlayer& player_;
    PauseStopControl& pauseStop_;
};

} // namespace kelvatron
