#pragma once
#include <cstdint>
#include <string_view>

#include "exercises/generationsets.h"

namespace kelvatron {

struct FormControls;
struct Services;
class SourceSelection;

// Fills the text window with random groups or radio-jargon words, without sounding them. A run
// lets the window handle its pending events once, before the first group, and never again: it
// cannot be interrupted, and its only waits are the 1 ms pauses between draws, so that a seed
// taken from the clock differs from group to group.
class ExerciseGenerator {
public:
    ExerciseGenerator(FormControls& ui, Services& services, SourceSelection& sources);

    void glLabel13Click(); // "генерация цифр"
    void glLabel14Click(); // "генерация букв"
    void glLabel15Click(); // "генерация цифр и букв"
    void glLabel16Click(); // "генерация радиожаргона"

private:
    // Hides the utility panel, puts the progress bar back to 0 and aligns the text left.
    void beginCommand();
    // The groups of one run, drawn from set; the alphabet options have chosen the set already.
    void generateGroups(std::string_view set);
    // Runs the letter set of the checked alphabet: Cyrillic first, then Latin.
    void generateForAlphabet(GenerationSetKind cyrillic, GenerationSetKind latin);
    void generateJargon();
    // Clears the window, selects it as the transmission's source and lets pending events run.
    void startExercise();

    FormControls& ui_;
    Services& services_;
    SourceSelection& sources_;
};

} // namespace kelvatron
