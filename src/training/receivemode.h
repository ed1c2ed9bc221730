#pragma once
#include "training/trainingmode.h"

namespace kelvatron {

// Receiving by ear what the start button would key: the " Передача" choice with its groups,
// opening and closing. The history names the choice.
class ReceiveMode : public TrainingMode {
public:
    std::string kind() const override { return "receive"; }
    ExercisePlan plan(const TrainingContext& context) const override;
};

} // namespace kelvatron
