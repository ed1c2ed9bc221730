#include "training/exercisespeed.h"

#include <cmath>

#include "keying/farnsworth.h"
#include "keying/signtable.h"
#include "training/wordspeed.h"
#include "transmission/textsign.h"

namespace kelvatron {

namespace {

Speed fromSignsPerMinute(double spm) {
    return {spm, spm / kSignsPerWord};
}

// The pause after a sign and the one a group adds, stretched when Farnsworth spacing applies.
struct Pauses {
    double signMs = 0, groupMs = 0;
};

Pauses pausesOf(const KeyingPace& pace) {
    const double dash = pace.dotMs * pace.ratio;
    if (const auto gaps = farnsworthGaps(pace.dotMs, pace.effectiveSignsPerMinute))
        return {gaps->signGapMs - pace.dotMs, gaps->wordGapMs - gaps->signGapMs};
    return {dash * pace.signPause, dash * 2 * pace.groupPause};
}

double signMs(char symbol, const KeyingPace& pace) {
    const auto index = findSign(std::string_view(&symbol, 1));
    if (!index) return 0;
    const double dash = pace.dotMs * pace.ratio;
    double ms = pausesOf(pace).signMs;
    for (char element : kSignTable[*index].code)
        ms += (element == '-' ? dash : pace.dotMs) + pace.dotMs;
    return ms;
}

} // namespace

Speed speedOfDot(double dotMs) {
    if (!(dotMs > 0)) return {};
    const double wpm = kMsPerMinute / (kDotsPerWord * dotMs);
    return {wpm * kSignsPerWord, wpm};
}

std::string speedText(Speed speed) {
    return std::to_string(std::lround(speed.signsPerMinute)) + " знаков в минуту, " +
           std::to_string(std::lround(speed.wpm)) + " WPM";
}

ExerciseSpeed exerciseSpeed(std::string_view sentCp1251, const KeyingPace& pace) {
    ExerciseSpeed out;
    out.character = speedOfDot(pace.dotMs);
    const double groupPauseMs = pausesOf(pace).groupMs;
    bool inGroup = false;
    auto endGroup = [&] {
        if (inGroup) out.durationMs += groupPauseMs;
        inGroup = false;
    };
    auto keySign = [&](char sign) {
        out.durationMs += signMs(sign, pace);
        ++out.signs;
        inGroup = true;
    };
    for (char c : sentCp1251) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            endGroup();
        } else if (c == '.') {
            endGroup();
            for (char sign : kFullStopSigns)
                keySign(sign);
            endGroup();
        } else if (auto sign = textSign(c)) {
            keySign(*sign);
        }
    }
    endGroup();
    if (out.durationMs > 0)
        out.effective = fromSignsPerMinute(out.signs * kMsPerMinute / out.durationMs);
    return out;
}

} // namespace kelvatron
