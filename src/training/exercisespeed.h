#pragma once
#include <string>
#include <string_view>

namespace kelvatron {

// The keying settings as the sign player derives its pauses from them: a dash is ratio dots, the
// pause after a sign is signPause dashes, a group pause is 2 × groupPause dashes, and every
// element (dot or dash) is followed by a dot's silence.
struct KeyingPace {
    double dotMs = 60;
    double ratio = 3;
    double signPause = 1;
    double groupPause = 1;
    // Farnsworth spacing: the signs per minute the gaps are stretched to; 0 keeps the pauses.
    int effectiveSignsPerMinute = 0;
};

// A speed in both units learners use. A word is PARIS: 50 dot units and 5 signs, so
// signs per minute = 5 × WPM.
struct Speed {
    double signsPerMinute = 0;
    double wpm = 0;
};

// The speed a dot length stands for (PARIS with standard spacing): 1200 / dot ms WPM.
Speed speedOfDot(double dotMs);

// "100 знаков в минуту, 20 WPM" (whole numbers), for the label beside the speed bar.
std::string speedText(Speed speed);

struct ExerciseSpeed {
    Speed character; // the signs' own speed, from the dot length
    Speed effective; // signs over the whole keyed time, sign and group pauses included
    double durationMs = 0;
    int signs = 0;
};

// The keyed length of a text as the transmission keys it: each sign its elements and the sign
// pause, each run of spaces or line breaks one group pause (a generated group is followed by one
// too, so the text's end counts as a group end), a full stop Т Ч К between group pauses.
// Characters that are no sign take no time.
ExerciseSpeed exerciseSpeed(std::string_view sentCp1251, const KeyingPace& pace);

} // namespace kelvatron
