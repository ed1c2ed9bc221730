#include "mainwindow/drillkeyer.h"

#include <algorithm>
#include <optional>

#include "core/clock.h"
#include "core/cp1251.h"
#include "core/eventpump.h"
#include "keying/signtable.h"
#include "mainwindow/airswitch.h"

namespace kelvatron {

namespace {

constexpr int kPollMs = 20;

} // namespace

DrillKeyer::DrillKeyer(const KeyingSettingsSource& window, ToneOutput& output, Clock& clock,
                       EventPump& events, FormState& state, AirSwitch* air)
    : speed_(window), player_(speed_, output, silent_, clock, timing_), clock_(clock),
      events_(events), state_(state), air_(air) {}

bool DrillKeyer::key(std::string_view utf8, int dotMs, const std::function<bool()>& stop) {
    speed_.setDotMs(dotMs);
    // Each keyed text hears the band's conditions, when they are on, from a fresh seed.
    std::optional<AirScope> air;
    if (air_) air.emplace(*air_, AirOccasion::Exercise);
    bool pauseOwed = false;
    for (char c : toCp1251(utf8)) {
        if (stop() || windowStops()) return false;
        if (c == ' ' || c == '\n' || c == '\r') {
            pauseOwed = true;
            continue;
        }
        // The sign pause has passed after the last sign: the group pause is the rest.
        if (pauseOwed) clock_.sleep(std::max(0, timing_.groupPause - timing_.signPause));
        pauseOwed = false;
        player_.keySign(std::string(1, latinPartner(c).value_or(c)));
        events_.processEvents();
    }
    return !stop() && !windowStops();
}

bool DrillKeyer::wait(int ms, const std::function<bool()>& stop) {
    for (int left = ms; left > 0; left -= kPollMs) {
        if (stop() || windowStops()) return false;
        clock_.sleep(std::min(left, kPollMs));
        events_.processEvents();
    }
    return !stop() && !windowStops();
}

} // namespace kelvatron
