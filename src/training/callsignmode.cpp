#include "training/callsignmode.h"

#include "core/cp1251.h"

namespace kelvatron {

ExercisePlan CallsignMode::plan(const TrainingContext&) const {
    ExercisePlan plan;
    plan.source = "позывные";
    return plan;
}

// One call a group: the check anchors each copy typed right on its call.
std::string CallsignMode::sentText(const CallsignDrill& drill) {
    std::string text;
    for (const CallsignAttempt& a : drill.attempts())
        text += (text.empty() ? "" : " ") + a.sent;
    return text;
}

std::string CallsignMode::typedText(const CallsignDrill& drill) {
    std::string text;
    for (const CallsignAttempt& a : drill.attempts())
        text += (text.empty() ? "" : " ") + toCp1251(a.typed);
    return text;
}

} // namespace kelvatron
