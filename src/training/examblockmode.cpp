#include "training/examblockmode.h"

#include "core/cp1251.h"
#include "core/random.h"
#include "training/speedexam.h"

namespace kelvatron {

ExercisePlan ExamBlockMode::plan(const TrainingContext&) const {
    const std::string signs = signs_();
    ExercisePlan plan;
    plan.text =
        drawExamGroups(signs, minutes_ * 60000, pace_(), [](uint32_t n) { return Random(n); });
    plan.source = "зачёт";
    plan.alphabet = fromCp1251(signs);
    return plan;
}

} // namespace kelvatron
