#pragma once
#include <functional>
#include <string_view>

#include "core/buffertextwindow.h"
#include "core/formstate.h"
#include "keying/fixedspeedsettings.h"
#include "keying/signplayer.h"

namespace kelvatron {

class AirSwitch;
class Clock;
class EventPump;
class ToneOutput;

// Keys the drills' texts through the window's outputs at a speed of their own, answering the
// window between signs so the learner can type, repeat or stop meanwhile.
class DrillKeyer {
public:
    // state: the window's stop request (it closes) ends every keying at the next sign.
    DrillKeyer(const KeyingSettingsSource& window, ToneOutput& output, Clock& clock,
               EventPump& events, FormState& state, AirSwitch* air = nullptr);

    // A drill begins: a stop left from an earlier transmission is no stop of it.
    void begin() { state_.stopFlag = 0; }
    bool windowStops() const { return state_.stopFlag != 0; }

    // UTF-8: Latin letters as their Cyrillic partners, Cyrillic letters, digits and signs as
    // themselves, a space or line break as a group pause. Stops at the first sign for which
    // stop() says so; false then.
    bool key(std::string_view utf8, int dotMs, const std::function<bool()>& stop);
    // A silence of ms on the program's clock, the window answered every 20 ms; false when
    // stopped.
    bool wait(int ms, const std::function<bool()>& stop);

private:
    FixedSpeedSettings speed_;
    BufferTextWindow silent_;
    TimingValues timing_;
    SignPlayer player_;
    Clock& clock_;
    EventPump& events_;
    FormState& state_;
    AirSwitch* air_;
};

} // namespace kelvatron
