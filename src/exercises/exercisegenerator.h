#pragma once

namespace kelvatron {

struct FormControls;
struct Services;
class SourceSelection;

// Fills the text window with random groups or radio-jargon words, without sounding them.
class ExerciseGenerator {
public:
    ExerciseGenerator(FormControls& ui, Services& services, SourceSelection& sources);

    void glLabel13Click(); // "генерация цифр"
    void glLabel14Click(); // "генерация букв"
    void glLabel15Click(); // "генерация цифр и букв"
    void glLabel16Click(); // "генерация радиожаргона"

private:
    FormControls& ui_;
    Services& services_;
    SourceSelection& sources_;
};

} // namespace kelvatron
