#pragma once
#include <cstdint>
#include <string_view>

#include "keying/generationsets.h"

namespace kelvatron {

class Clock;
class EventPump;
class Progress;
class SourceSelection;
class TextWindow;
class TransmissionControls;

// What the utility panel's generating commands write.
enum class ExerciseKind { Digits, Letters, DigitsAndLetters, Jargon };

// Fills the text window with random groups or radio-jargon words, without sounding them. A run
// lets the window handle its pending events once, before the first group, and never again: it
// cannot be interrupted, and its only waits are the 1 ms pauses between draws, so that a seed
// taken from the clock differs from group to group. The text and the progress bar are painted as
// they grow, so a long run shows how far it has come.
class ExerciseGenerator {
public:
    ExerciseGenerator(TransmissionControls& controls, TextWindow& text, Progress& progress,
                      Clock& clock, EventPump& events, SourceSelection& sources);

    // "генерация цифр", "букв", "цифр и букв", "радиожаргона"; the window hides the utility
    // panel before each.
    void generate(ExerciseKind kind);

private:
    // Puts the progress bar back to 0 and aligns the text left.
    void beginCommand();
    // The groups of one run, drawn from set; the alphabet options have chosen the set already.
    void generateGroups(std::string_view set);
    // Runs the letter set of the checked alphabet: Cyrillic first, then Latin.
    void generateForAlphabet(GenerationSetKind cyrillic, GenerationSetKind latin);
    void generateJargon();
    // Clears the window, selects it as the transmission's source and lets pending events run.
    void startExercise();
    // Paints the text and the progress bar when the last painting is long enough ago.
    void paintWhenDue();

    TransmissionControls& controls_;
    TextWindow& text_;
    Progress& progress_;
    Clock& clock_;
    EventPump& events_;
    SourceSelection& sources_;
    double lastPaint_ = 0;
    double paintInterval_ = 0;
};

} // namespace kelvatron
