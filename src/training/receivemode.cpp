#include "training/receivemode.h"

namespace kelvatron {

ExercisePlan ReceiveMode::plan(const TrainingContext& context) const {
    const TransmissionSettings& s = context.transmission;
    ExercisePlan plan;
    plan.source = s.textInWindow       ? "текст в окне"
                  : s.digitsAndLetters ? "цифры и буквы"
                  : s.letters          ? "буквы"
                                       : "цифры";
    return plan;
}

} // namespace kelvatron
