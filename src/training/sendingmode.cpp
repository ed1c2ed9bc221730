#include "training/sendingmode.h"

namespace kelvatron {

ExercisePlan SendingMode::plan(const TrainingContext& context) const {
    ExercisePlan plan;
    if (checksWindowText_) plan.text = context.windowText;
    plan.source = checksWindowText_ ? "текст в окне" : "свободная передача";
    return plan;
}

std::optional<ReceiveCheck> SendingMode::check(std::string_view sentCp1251,
                                               std::string_view copyCp1251) const {
    if (!checksWindowText_) return std::nullopt;
    return TrainingMode::check(sentCp1251, copyCp1251);
}

} // namespace kelvatron
