#include "settings/settingsmending.h"

#include <algorithm>
#include <cmath>

namespace kelvatron {

namespace {

double nearestStep(double value, const StepperRange& range) {
    const double inRange = std::clamp(value, range.low, range.high);
    return range.low + std::round((inRange - range.low) / range.step) * range.step;
}

// The first checked box of a group, or `count` when none is.
std::size_t firstChecked(const PropValues& values, std::size_t first, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (values[first + i] != 0) return i;
    return count;
}

// Leaves exactly one box of the group checked.
void keepOneChoice(PropValues& values, const PropValues& defaults, std::size_t first,
                   std::size_t count) {
    std::size_t chosen = firstChecked(values, first, count);
    if (chosen == count) chosen = firstChecked(defaults, first, count);
    if (chosen == count) chosen = 0;
    for (std::size_t i = 0; i < count; ++i)
        values[first + i] = i == chosen ? 1 : 0;
}

} // namespace

void mendProps(PropValues& values, const PropValues& defaults) {
    for (std::size_t i = 0; i < kPropCount; ++i)
        if (std::isnan(values[i])) values[i] = defaults[i];
    for (std::size_t i = 0; i < prop::DisplayCount; ++i)
        values[prop::FirstDisplay + i] =
            nearestStep(values[prop::FirstDisplay + i], kDisplayRanges[i]);
    values[prop::Speed] =
        std::clamp(std::round(values[prop::Speed]), double(kFastestSpeed), double(kSlowestSpeed));
    for (std::size_t i = prop::FirstBoolean; i < kPropCount; ++i)
        values[i] = values[i] != 0 ? 1 : 0;
    keepOneChoice(values, defaults, prop::FirstSource, 4);
    keepOneChoice(values, defaults, prop::FirstOutput, 2);
    keepOneChoice(values, defaults, prop::FirstWaveform, 5);
}

} // namespace kelvatron
