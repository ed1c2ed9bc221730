#pragma once
#include <functional>
#include <string>

#include "training/exercisespeed.h"
#include "training/trainingmode.h"

namespace kelvatron {

// One block of the speed test: groups of five drawn evenly from the test's signs, for the
// block's minutes at the pace the block keys at. Checked as any copy by ear; the test, not the
// block, is what the history keeps.
class ExamBlockMode : public TrainingMode {
public:
    // signs: Windows-1251, read when a block is drawn; pace: the block's keying.
    ExamBlockMode(std::function<std::string()> signs, std::function<KeyingPace()> pace,
                  double minutes = 1)
        : signs_(std::move(signs)), pace_(std::move(pace)), minutes_(minutes) {}

    std::string kind() const override { return "exam"; }
    // The test is taken clean unless the learner asks for the air in it too.
    AirOccasion airOccasion() const override { return AirOccasion::SpeedTest; }
    ExercisePlan plan(const TrainingContext& context) const override;

private:
    std::function<std::string()> signs_;
    std::function<KeyingPace()> pace_;
    double minutes_;
};

} // namespace kelvatron
