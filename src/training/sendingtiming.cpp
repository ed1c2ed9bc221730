#include "training/sendingtiming.h"

#include <algorithm>
#include <cmath>

#include "training/wordspeed.h"

namespace kelvatron {

namespace {

constexpr std::array<double, 3> kIdealGapUnits = {1, 3, 7}; // by GapKind

double wpmFromUnit(double unitMs) {
    return unitMs > 0 ? kMsPerMinute / (kDotsPerWord * unitMs) : 0;
}

// Negative while there is no spread to tell: fewer than two values.
double spreadOver(const RunningSum& sum, double scale) {
    return sum.count >= 2 && scale > 0 ? sum.deviation() / scale : -1;
}

} // namespace

double RunningSum::deviation() const {
    if (count < 2) return 0;
    const double spread = (squares - total * total / count) / (count - 1);
    return spread > 0 ? std::sqrt(spread) : 0; // rounding can leave equal values a hair below 0
}

void SendingTiming::addElement(ElementKind kind, double durationMs, double dotMs) {
    const double ideal = kind == ElementKind::Dot ? dotMs : dotMs * ratio_;
    (kind == ElementKind::Dot ? dots_ : dashes_).add(durationMs);
    ++histogram_[histogramBin(durationMs / ideal - 1)];
}

void SendingTiming::addGap(GapKind kind, double durationMs) {
    gaps_[static_cast<int>(kind)].add(durationMs);
}

int SendingTiming::histogramBin(double deviation) {
    // Rounded to 0.1 % first, so a deviation of exactly +10 % lands in its own bin.
    const double steps = std::floor(std::round(deviation * 1000) / 100);
    return static_cast<int>(std::clamp(steps + 6, 0.0, 11.0));
}

SendingTimingSummary SendingTiming::summary() const {
    SendingTimingSummary s;
    s.dots = dots_.count;
    s.dashes = dashes_.count;
    const RunningSum& inside = gaps_[static_cast<int>(GapKind::Element)];
    const int unitCount = dots_.count + inside.count;
    s.unitMs = unitCount ? (dots_.total + inside.total) / unitCount : 0;
    s.wpm = wpmFromUnit(s.unitMs);
    s.charsPerMinute = s.wpm * kSignsPerWord;
    if (dots_.count && dashes_.count) s.dashDotRatio = dashes_.mean() / dots_.mean();
    s.dotSpread = spreadOver(dots_, dots_.mean());
    s.dashSpread = spreadOver(dashes_, dashes_.mean());

    double sentMs = dots_.total + dashes_.total;
    double idealUnits = dots_.count + ratio_ * dashes_.count;
    std::array<double*, 3> spacing = {&s.elementSpacing, &s.signSpacing, &s.wordSpacing};
    std::array<double*, 3> spread = {&s.elementSpacingSpread, &s.signSpacingSpread,
                                     &s.wordSpacingSpread};
    for (int k = 0; k < 3; ++k) {
        sentMs += gaps_[k].total;
        idealUnits += kIdealGapUnits[k] * gaps_[k].count;
        if (gaps_[k].count && s.unitMs > 0) {
            *spacing[k] = gaps_[k].mean() / (kIdealGapUnits[k] * s.unitMs);
            *spread[k] = spreadOver(gaps_[k], kIdealGapUnits[k] * s.unitMs);
        }
    }
    s.effectiveWpm = idealUnits > 0 ? wpmFromUnit(sentMs / idealUnits) : 0;
    s.effectiveCharsPerMinute = s.effectiveWpm * kSignsPerWord;
    s.deviationHistogram = histogram_;
    return s;
}

} // namespace kelvatron
