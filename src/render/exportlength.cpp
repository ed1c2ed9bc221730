#include "render/exportlength.h"

#include <algorithm>

#include "keying/farnsworth.h"
#include "keying/signtable.h"
#include "transmission/transmissiondriver.h"

namespace kelvatron {

namespace {

// A stepper value as the sign player takes it; any other leaves the length where it was, at
// most the longest the stepper gives.
double steppedOrLongest(double value, int low, int high) {
    for (int v = low; v <= high; ++v)
        if (value == v) return v;
    return high;
}

std::size_t longestCode() {
    std::size_t longest = 0;
    for (const SignRecord& sign : kSignTable)
        longest = std::max(longest, sign.code.size());
    return longest;
}

// Longer than any sign's name or a whole group's answer takes to say.
constexpr double kLongestAnswerMs = 4000;

} // namespace

double longestKeyingMs(const ExportJob& job, std::string_view text) {
    const KeyingSettings& k = job.keying;
    const TransmissionSettings& t = job.transmission;
    const double dot = std::max<int32_t>(k.cardDotMs(), 0);
    const double dash = dot * steppedOrLongest(k.ratio, 3, 6);
    double signPause = dash * steppedOrLongest(k.signPause, 1, 4);
    double groupPause = 2 * dash * steppedOrLongest(k.groupPause, 1, 4);
    // Farnsworth spacing stretches both; a millisecond each covers their rounding.
    if (const auto gaps = farnsworthGaps(dot, k.effectiveSignsPerMinute)) {
        signPause = std::max(signPause, gaps->signGapMs + 1);
        groupPause = std::max(groupPause, gaps->wordGapMs + 1);
    }
    const double sign = double(longestCode()) * (dash + dot) + signPause;

    double ms = 1000;
    if (t.opening) ms += 4 * sign + 3 * groupPause;
    if (t.closing) ms += 3 * groupPause + 2 * sign;
    if (t.textInWindow) ms += double(text.size()) * (4 * sign + 2 * groupPause);
    const int alphabets = int(t.cyrillic) + int(t.latin);
    const int generatedBodies =
        int(t.digits) + (int(t.letters) + int(t.digitsAndLetters)) * alphabets;
    const double groups = TransmissionDriver::groupCountOf(t.groupCount);
    const double groupSize = TransmissionDriver::groupSizeOf(t.groupSize);
    ms += generatedBodies * groups * (groupSize * sign + groupPause);
    // A spoken answer after every sign at most, each its two pauses and a few seconds of
    // speech; the repeat keys everything twice.
    if (job.spoken.moment != AnswerMoment::Off) {
        const double signs = generatedBodies * groups * groupSize + double(text.size());
        ms = 2 * ms + signs * (2 * std::max(job.spoken.pauseMs, 0) + kLongestAnswerMs);
    }
    return ms;
}

} // namespace kelvatron
