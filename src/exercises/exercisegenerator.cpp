#include "exercises/exercisegenerator.h"

namespace kelvatron {

ExerciseGenerator::ExerciseGenerator(FormControls& ui, Services& services, SourceSelection& sources)
    : ui_(ui), services_(services), sources_(sources) {}

void ExerciseGenerator::glLabel13Click() {}
void ExerciseGenerator::glLabel14Click() {}
void ExerciseGenerator::glLabel15Click() {}
void ExerciseGenerator::glLabel16Click() {}

} // namespace kelvatron
