#pragma once
#include <array>

namespace kelvatron {

enum class ElementKind { Dot, Dash };
enum class GapKind { Element, Sign, Word };

// What the learner's keying measured so far, against the ideal rhythm: a dash of `ratio` dots,
// one dot between the elements of a sign, three between signs, seven between words.
struct SendingTimingSummary {
    int dots = 0, dashes = 0;
    // The learner's dot: the mean of the dots and of the silences inside signs, the two things
    // that last one unit. Zero before anything was keyed.
    double unitMs = 0;
    // Speed from that dot by the word PARIS (50 units, 5 signs): WPM = 1200 / unit.
    double wpm = 0, charsPerMinute = 0;
    // Speed over everything keyed including the sign and word spacing as it was sent.
    double effectiveWpm = 0, effectiveCharsPerMinute = 0;
    double dashDotRatio = 0; // mean dash over mean dot; zero until both were keyed
    // How evenly the learner keys: the standard deviation of the dots and of the dashes over
    // their own mean (0.15 is 15 %); negative until two of the kind were keyed.
    double dotSpread = -1, dashSpread = -1;
    // Mean silence over its ideal length in the learner's own units; 1 is exact, zero when none.
    double elementSpacing = 0, signSpacing = 0, wordSpacing = 0;
    // The silences' standard deviation on the same scale: a mean of 1.0 hides a hand that keys
    // 0.7 and 1.3 by turns, this does not. Negative until two of the kind were keyed.
    double elementSpacingSpread = -1, signSpacingSpread = -1, wordSpacingSpread = -1;
    // Each element's deviation from its ideal length: bin 0 holds those shorter by more than
    // 50 %, bins 1..10 the steps of 10 % from -50 % to +50 %, bin 11 those longer by 50 % or more.
    std::array<int, 12> deviationHistogram{};
};

// Lengths added up, for their mean and spread.
struct RunningSum {
    double total = 0, squares = 0;
    int count = 0;
    void add(double v) { total += v, squares += v * v, ++count; }
    double mean() const { return count ? total / count : 0; }
    // The sample standard deviation; zero below two values.
    double deviation() const;
};

// Collects element lengths and silences as the decoder classifies them.
class SendingTiming {
public:
    explicit SendingTiming(double ratio) : ratio_(ratio) {}

    // An element of the given kind, measured while the dot was estimated at dotMs.
    void addElement(ElementKind kind, double durationMs, double dotMs);
    void addGap(GapKind kind, double durationMs);

    SendingTimingSummary summary() const;

    static int histogramBin(double deviation);

private:
    double ratio_;
    RunningSum dots_, dashes_;
    std::array<RunningSum, 3> gaps_; // by GapKind
    std::array<int, 12> histogram_{};
};

} // namespace kelvatron
