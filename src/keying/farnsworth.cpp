#include "keying/farnsworth.h"

#include <cmath>

#include "core/formstate.h"

namespace kelvatron {

std::optional<FarnsworthGaps> farnsworthGaps(double dotMs, int32_t effectiveSignsPerMinute) {
    if (effectiveSignsPerMinute <= 0 || dotMs <= 0) return std::nullopt;
    const double stretchedMs = 300000.0 / effectiveSignsPerMinute - 31.0 * dotMs;
    // At the signs' own speed the 19 dots of gaps of a word stay as they are: the standard
    // spacing of three dots between signs and seven between words (a speed test keys so).
    // Faster than the signs themselves there is nothing to stretch.
    if (stretchedMs < 19.0 * dotMs) return std::nullopt;
    return FarnsworthGaps{3.0 * stretchedMs / 19.0, 7.0 * stretchedMs / 19.0};
}

namespace {

int32_t takeRounded(TimingValues& timing, double idealMs) {
    const double exact = idealMs + timing.gapCarryMs;
    const auto ms = static_cast<int32_t>(std::lround(exact));
    timing.gapCarryMs = exact - ms;
    return ms;
}

} // namespace

int32_t takeSignPause(TimingValues& timing) {
    if (!timing.stretched) return timing.signPause;
    return takeRounded(timing, timing.stretchedSignPauseMs);
}

int32_t takeGroupPause(TimingValues& timing, int count) {
    if (!timing.stretched) return count * timing.groupPause;
    return takeRounded(timing, count * timing.stretchedGroupPauseMs);
}

} // namespace kelvatron
