#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "training/exercisespeed.h"

namespace kelvatron {

struct ReceiveCheck;

// Draws a lesson's groups from the signs learned so far. Each sign has weight 1 but the lesson's
// new one, which weighs half the number of the others (at least 1): about a third of what is
// keyed once four signs are known, as often as any other before. Groups are drawn until the text
// keyed at the pace lasts the given time (at least one group).
class LessonDraw {
public:
    using Generator = std::function<uint32_t(uint32_t range)>; // 0 .. range - 1

    // learned: Windows-1251 written signs; newSign one of them.
    LessonDraw(std::string learned, char newSign);

    // The new sign's weight, the others' being 1.
    uint32_t newSignWeight() const;
    std::string drawGroups(int groupSize, double durationMs, const KeyingPace& pace,
                           const Generator& random) const;

private:
    char drawSign(const Generator& random) const;

    std::string learned_;
    char newSign_;
};

// A lesson is passed when at least passPercent of the signs sent were copied right.
bool lessonPassed(const ReceiveCheck& check, double passPercent);

} // namespace kelvatron
