#include "training/trainingmode.h"

namespace kelvatron {

std::optional<ReceiveCheck> TrainingMode::check(std::string_view sentCp1251,
                                                std::string_view copyCp1251) const {
    return checkReceived(sentCp1251, copyCp1251);
}

SessionRecord TrainingMode::record(const ExercisePlan& plan, const ExerciseFigures& figures) const {
    SessionRecord session;
    session.kind = kind();
    session.source = plan.source;
    session.alphabet = plan.alphabet;
    session.dotMs = figures.dotMs;
    session.charWpm = figures.charWpm;
    session.effectiveWpm = figures.effectiveWpm;
    session.durationS = figures.durationS;
    return session;
}

} // namespace kelvatron
