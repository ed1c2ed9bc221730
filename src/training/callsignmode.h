#pragma once
#include <string>

#include "training/callsigndrill.h"
#include "training/trainingmode.h"

namespace kelvatron {

// The "Позывные" drill: calls keyed one by one, each copied and entered, the speed following the
// learner. The history keeps a run as one exercise of kind "callsign": every call's signs,
// checked sign by sign, at the run's top speed.
class CallsignMode : public TrainingMode {
public:
    std::string kind() const override { return "callsign"; }
    ExercisePlan plan(const TrainingContext& context) const override;

    // The run's calls and copies, one group each, as check() takes them (Windows-1251).
    static std::string sentText(const CallsignDrill& drill);
    static std::string typedText(const CallsignDrill& drill);
};

} // namespace kelvatron
