#pragma once
#include "training/trainingmode.h"

namespace kelvatron {

// Sending practice: the learner keys, the decoder copies. Checked against the text window's
// text when the learner asks for it, else free sending with nothing to check.
class SendingMode : public TrainingMode {
public:
    explicit SendingMode(bool checksWindowText) : checksWindowText_(checksWindowText) {}
    bool checksWindowText() const { return checksWindowText_; }

    std::string kind() const override { return "send"; }
    ExercisePlan plan(const TrainingContext& context) const override;
    std::optional<ReceiveCheck> check(std::string_view sentCp1251,
                                      std::string_view copyCp1251) const override;

private:
    bool checksWindowText_;
};

} // namespace kelvatron
