#pragma once
#include <span>
#include <string>
#include <string_view>

namespace kelvatron {

// The order a course teaches the signs in: lesson 1 the first two, every later lesson one more.
// Signs are Windows-1251 characters as the text window keys them: digits, , / ?, the hyphen for
// the break sign, Cyrillic capitals (or Latin ones, keyed as their Cyrillic partners).
class LessonOrder {
public:
    explicit LessonOrder(std::string signsCp1251) : signs_(std::move(signsCp1251)) {}

    const std::string& signs() const { return signs_; }
    int lessonCount() const { return signs_.size() < 2 ? 0 : int(signs_.size()) - 1; }
    // The sign lesson n brings (1..lessonCount(); lesson 1 brings two, this is the second).
    char newSign(int lesson) const;
    // Every sign learned by the end of lesson n, in order.
    std::string learnedBy(int lesson) const;
    // The lesson (1-based) that teaches the sign; 0 when the order lacks it.
    int lessonOf(char signCp1251) const;

private:
    std::string signs_;
};

// The orders a course starts with, as the learner edits them: UTF-8, signs apart by spaces.
std::string_view defaultLessonOrder(bool latin);

// Reads an order as written (UTF-8; spaces, commas between signs are not needed: a comma is a
// sign). Lower-case letters count as capitals. Says what is wrong with it otherwise: a character
// that is no sign of the alphabet, a sign given twice, fewer than two signs.
struct LessonOrderParse {
    std::string signsCp1251;
    std::string error; // Russian, empty when the order is good
    bool ok() const { return error.empty(); }
};
LessonOrderParse parseLessonOrder(std::string_view utf8, bool latin);

// The signs learners mix up, each group UTF-8 without spaces: mirror pairs, pairs one element
// apart, and the runs of one element repeated. A good order keeps every two signs of a group in
// lessons at least kConfusableDistance apart.
std::span<const std::string_view> confusableGroups(bool latin);
inline constexpr int kConfusableDistance = 5;

} // namespace kelvatron
