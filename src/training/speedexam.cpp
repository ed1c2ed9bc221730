#include "training/speedexam.h"

#include "training/receivecheck.h"

namespace kelvatron {

// A block with nothing sent cannot be passed: the learner heard nothing to copy.
void SpeedExam::blockChecked(const ReceiveCheck& check) {
    if (finished_) return;
    if (check.signsSent == 0 || check.errors() > settings_.maxErrors) {
        finished_ = true;
        return;
    }
    passed_ = speed_;
    speed_ += settings_.stepSignsPerMinute;
    // The dot cannot be shorter than 10 ms, the speed bar's limit: the test ends there.
    if (6000 / speed_ < 10) finished_ = true;
}

} // namespace kelvatron
