#pragma once

namespace kelvatron {

// The sources a transmission keys, in option order.
enum class TransmissionSource { Digits, Letters, DigitsAndLetters, TextInWindow };

// The group and source options as they stand when a step of a transmission reads them. The
// group values are the displays' own; groupSizeOf/groupCountOf turn them into the run's.
struct TransmissionSettings {
    double groupSize = 5;
    double groupCount = 10;
    bool digits = false;
    bool letters = false;
    bool digitsAndLetters = false;
    bool textInWindow = false;
    bool opening = false; // Ж Ж Ж and the break sign before the body
    bool closing = false; // А Р after it
    bool cyrillic = false;
    bool latin = false;
};

// The transmission's buttons and options: the window's, or a command line's fixed choice.
class TransmissionControls {
public:
    virtual ~TransmissionControls() = default;
    virtual TransmissionSettings transmissionSettings() const = 0;
    virtual void setSourceChecked(TransmissionSource source, bool checked) = 0;
    virtual bool startChecked() const = 0;
    virtual void setStartChecked(bool checked) = 0;
    virtual bool pauseChecked() const = 0;
    virtual void setPauseChecked(bool checked) = 0;
    // While a transmission runs, the hint options cannot be changed.
    virtual void lockHints(bool locked) = 0;
};

} // namespace kelvatron
