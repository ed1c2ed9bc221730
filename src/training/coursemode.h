#pragma once
#include <functional>

#include "training/exercisespeed.h"
#include "training/lessonorder.h"
#include "training/trainingmode.h"

namespace kelvatron {

// How a course's lessons run; the course's settings group keeps them.
struct CourseSettings {
    int groupSize = 5;
    double minutes = 1;      // how long a lesson's groups are keyed
    double passPercent = 90; // right of the signs sent that unlocks the next lesson
    int speedStep = 10;      // signs per minute a speed stage adds after the last lesson
};

// The course: lesson n keys groups drawn from the signs of lessons 1..n, the new sign more
// often (LessonDraw), checked as any receive exercise. The lesson is the one the learner is at
// when the exercise begins.
class CourseMode : public TrainingMode {
public:
    // lesson: the lesson to key; pace: the keying as it stands, to fill the lesson's minutes.
    CourseMode(const LessonOrder& order, std::function<int()> lesson,
               std::function<KeyingPace()> pace, const CourseSettings& settings)
        : order_(order), lesson_(std::move(lesson)), pace_(std::move(pace)), settings_(settings) {}

    std::string kind() const override { return "receive"; }
    ExercisePlan plan(const TrainingContext& context) const override;
    // The plan with the generator given (tests draw from a seed of their own).
    ExercisePlan plan(int lesson, const std::function<uint32_t(uint32_t)>& random) const;

private:
    const LessonOrder& order_;
    std::function<int()> lesson_;
    std::function<KeyingPace()> pace_;
    const CourseSettings& settings_;
};

} // namespace kelvatron
