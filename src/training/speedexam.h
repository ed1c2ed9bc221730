#pragma once
#include <optional>

namespace kelvatron {

struct ReceiveCheck;

// How a speed test runs; the course's settings group keeps them.
struct SpeedExamSettings {
    int startSignsPerMinute = 60;
    int stepSignsPerMinute = 10;
    int maxErrors = 5; // a block passes with at most this many
    double blockMinutes = 1;
};

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
    bool finished() const { return finished_; }
    // The highest speed passed; nothing when the first block failed.
    std::optional<int> result() const { return passed_; }

    // The check of the block just keyed: passes it (the next block is faster) or ends the test.
    void blockChecked(const ReceiveCheck& check);

private:
    SpeedExamSettings settings_;
    int speed_;
    std::optional<int> passed_;
    bool finished_ = false;
};

} // namespace kelvatron
