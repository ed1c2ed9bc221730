#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "training/exercisespeed.h"
#include "training/historystore.h"

namespace kelvatron {

struct ReceiveCheck;

// How a speed test runs; the [Exam] settings group keeps them.
struct SpeedExamSettings {
    int startSignsPerMinute = 60;
    int stepSignsPerMinute = 10;
    int maxErrors = 5; // a block passes with at most this many
    double blockMinutes = 1;
};

// What a test's groups are made of.
enum class ExamText : uint8_t { Digits, Letters, Mixed };

// A reception speed test as radio-sport tests run: blocks of groups of five, one minute each at a
// speed that rises by a step after every block passed; a block passes with at most maxErrors
// errors, and the test ends at the first block that fails. The result is the highest speed
// passed.
class SpeedExam {
public:
    explicit SpeedExam(const SpeedExamSettings& settings)
        : settings_(settings), speed_(settings.startSignsPerMinute) {}

    // The speed of the block to key next, in signs per minute, and its dot (PARIS).
    int blockSignsPerMinute() const { return speed_; }
    int blockDotMs() const { return 6000 / speed_; }
    int blocksChecked() const { return blocks_; }
    bool finished() const { return finished_; }
    // The highest speed passed; nothing when the first block failed.
    std::optional<int> result() const { return passed_; }

    // The check of the block just keyed (durationMs long): passes it (the next block is faster)
    // or ends the test.
    void blockChecked(const ReceiveCheck& check, double durationMs = 0);
    // The history's row of the whole test: kind "exam", the signs and errors of every block, the
    // speed passed as char_wpm (0 when none was).
    SessionRecord record(const std::string& source, const std::string& alphabet) const;

private:
    SpeedExamSettings settings_;
    int speed_;
    std::optional<int> passed_;
    bool finished_ = false;
    int blocks_ = 0, signs_ = 0, errors_ = 0;
    double durationMs_ = 0;
};

// The signs a test draws from, Windows-1251: the digits, the active alphabet's letters, or both.
std::string examSigns(ExamText text, bool latin);

// Groups of five drawn evenly from signs, until the text keyed at the pace lasts durationMs.
std::string drawExamGroups(std::string_view signs, double durationMs, const KeyingPace& pace,
                           const std::function<uint32_t(uint32_t)>& random);

// The history's source of a test, UTF-8: "зачёт, приём: цифры", "зачёт, передача: буквы".
std::string examSource(bool sending, ExamText text);

// The learner's best in the tests of one source: the highest speed passed, signs per minute.
std::optional<int> bestExamSpeed(const std::vector<SessionRecord>& sessions,
                                 const std::string& source);

// The sending test's timing as one figure, 0..100 %: 100 × (1 − D), where D is the mean of the
// deviations the practice measured (those not yet measurable left out): the spread of the dots
// and of the dashes, |dash/dot ÷ ratio − 1|, and for the silences inside signs, between signs and
// between words |mean − 1| and their spread, all in the learner's own dot. A hand that keys
// every element and gap exactly scores 100.
struct SendingTimingSummary;
double rhythmPercent(const SendingTimingSummary& timing, double ratio);

// The sending test passes with at most maxErrors decoded errors and a rhythm of kPassRhythm % or
// better.
inline constexpr double kPassRhythm = 75;
bool sendingExamPassed(int errors, double rhythm, int maxErrors);

// The history's row of a sending test: kind exam, the learner's own dot, and the sending speed as
// char_wpm when passed (0 when not); signs and errors come from the check stored with it.
struct SendingResult;
SessionRecord sendingExamRecord(ExamText text, const std::string& alphabet,
                                const SendingResult& result, bool passed);

} // namespace kelvatron
