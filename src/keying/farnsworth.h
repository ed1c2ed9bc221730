#pragma once
#include <cstdint>
#include <optional>

namespace kelvatron {

struct TimingValues;

// Farnsworth spacing: the signs keep their own speed (the dot), the silences between signs and
// between words are stretched so that the text as a whole runs at a slower, effective speed.
// The ARRL's arithmetic, for character speed c and effective speed s in WPM (PARIS, 50 dots):
// the stretched time of a word is ta = (60c − 37.2s)/(s·c) s, of which a sign gap takes 3ta/19
// and the word gap 7ta/19. With c = 1200/dot and s = signs per minute / 5 this is
// ta = 300000/spm − 31·dot in ms: a PARIS word minus its 31 dots of elements and element gaps.
struct FarnsworthGaps {
    double signGapMs = 0; // the whole silence from a sign's last element to the next sign
    double wordGapMs = 0; // the whole silence from a word's last element to the next word
};

// The stretched gaps, or nothing when the effective speed is off (0) or faster than the signs
// themselves: then the pauses stay as the settings make them. At the signs' own speed the gaps
// are the standard ones, 3 and 7 dots.
std::optional<FarnsworthGaps> farnsworthGaps(double dotMs, int32_t effectiveSignsPerMinute);

// Signs per minute (PARIS) of a dot length, and the WPM of signs per minute.
inline double signsPerMinuteOfDot(double dotMs) {
    return 6000.0 / dotMs;
}
inline double wpmOfSignsPerMinute(double spm) {
    return spm / 5.0;
}

// The pause to sleep after a sign and the one a group adds, in whole ms. Stretched gaps are
// rarely whole milliseconds: each takes its rounding from the one before, so a run of words
// keeps its exact length (PARIS at dot 60 and 60 signs per minute takes 5 s to the sample).
int32_t takeSignPause(TimingValues& timing);
int32_t takeGroupPause(TimingValues& timing, int count);

} // namespace kelvatron
