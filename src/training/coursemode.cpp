#include "training/coursemode.h"

#include <algorithm>

#include "core/cp1251.h"
#include "core/random.h"
#include "training/lessondraw.h"

namespace kelvatron {

ExercisePlan CourseMode::plan(const TrainingContext&) const {
    return plan(lesson_(), [](uint32_t n) { return Random(n); });
}

ExercisePlan CourseMode::plan(int lesson, const std::function<uint32_t(uint32_t)>& random) const {
    lesson = std::clamp(lesson, 1, std::max(order_.lessonCount(), 1));
    const LessonDraw draw(order_.learnedBy(lesson), order_.newSign(lesson));
    ExercisePlan plan;
    plan.text = draw.drawGroups(settings_.groupSize, settings_.minutes * 60000, pace_(), random);
    plan.source = "курс, урок " + std::to_string(lesson);
    plan.alphabet = fromCp1251(order_.learnedBy(lesson));
    return plan;
}

} // namespace kelvatron
