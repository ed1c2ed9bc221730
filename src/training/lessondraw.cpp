#include "training/lessondraw.h"

#include <algorithm>

#include "training/receivecheck.h"

namespace kelvatron {

LessonDraw::LessonDraw(std::string learned, char newSign)
    : learned_(std::move(learned)), newSign_(newSign) {}

uint32_t LessonDraw::newSignWeight() const {
    const auto others = uint32_t(std::max<size_t>(learned_.size(), 1) - 1);
    return std::max<uint32_t>(others / 2, 1);
}

char LessonDraw::drawSign(const Generator& random) const {
    const auto others = uint32_t(learned_.size()) - 1;
    uint32_t pick = random(others + newSignWeight());
    if (pick >= others) return newSign_;
    for (char sign : learned_)
        if (sign != newSign_ && pick-- == 0) return sign;
    return newSign_;
}

std::string LessonDraw::drawGroups(int groupSize, double durationMs, const KeyingPace& pace,
                                   const Generator& random) const {
    std::string out;
    if (learned_.empty()) return out;
    do {
        if (!out.empty()) out.push_back(' ');
        for (int i = 0; i < std::max(groupSize, 1); ++i)
            out.push_back(drawSign(random));
    } while (exerciseSpeed(out, pace).durationMs < durationMs);
    return out;
}

bool lessonPassed(const ReceiveCheck& check, double passPercent) {
    if (check.signsSent == 0) return false;
    return 100.0 * (check.signsSent - check.errors()) >= passPercent * check.signsSent;
}

} // namespace kelvatron
