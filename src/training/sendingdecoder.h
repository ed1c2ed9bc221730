#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "training/sendingtiming.h"

namespace kelvatron {

struct SendingDecoderSettings {
    double dotMs = 60; // the set speed's dot: where the estimate of the learner's dot starts
    double ratio = 3;  // the set dash-to-dot ratio: where the estimate of the dash starts
    bool latin = false;
};

// The character a keyed code stands for, in Windows-1251: the sign of the sign table, the break
// sign -...- as "-" (what a hyphen in a text keys), with `latin` the Latin partner of a Cyrillic
// letter (Ч, Ш, Э, Ю and Я have none and stay Cyrillic); "*" for a code that is no sign.
char decodeSignCode(std::string_view code, bool latin);

// Turns the key-down and key-up times of a straight key (or of a keyer's tone) into text.
// Elements are told apart by a threshold halfway between the learner's dot and dash: the dot
// starts at the set speed and follows the dots and the silences inside signs, the dash-to-dot
// ratio starts at the set one and follows the signs that hold both. Silences are told apart by
// thresholds of 2 and 5 dots (between the ideal 1, 3 and 7). keyDown, poll and finish return
// the text they completed, usually nothing.
class SendingDecoder {
public:
    explicit SendingDecoder(const SendingDecoderSettings& settings);

    std::string keyDown(double nowMs);
    void keyUp(double nowMs);
    // Completes the sign once the silence after it has passed the sign threshold, and writes the
    // word space once it has passed the word threshold, without waiting for the next key-down.
    std::string poll(double nowMs);
    // The sign being keyed, at the end of the practice.
    std::string finish();

    void setLatin(bool latin) { latin_ = latin; }
    // When poll() would next complete something; nothing while the key is down or nothing waits.
    std::optional<double> nextDeadline() const;
    const SendingTiming& timing() const { return timing_; }

private:
    std::string completeSign();
    std::string classifySilence(double silenceMs);
    void followDot(double sampleMs);

    bool latin_;
    double dotMs_, ratioEstimate_;
    RunningSum signDots_, signDashes_; // the elements of the sign being keyed
    bool down_ = false;
    std::optional<double> lastDown_, lastUp_;
    std::string code_;
    bool wordSpaceDue_ = false; // a sign was written and no word space after it yet
    SendingTiming timing_;
};

} // namespace kelvatron
