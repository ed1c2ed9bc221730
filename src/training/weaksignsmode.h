#pragma once
#include <functional>
#include <vector>

#include "training/trainingmode.h"
#include "training/weaksigns.h"

namespace kelvatron {

// Receiving by ear groups drawn from the active alphabet and the digits, each sign as often as
// the learner's recent record says it is missed. Group size and count are the window's.
class WeakSignsMode : public TrainingMode {
public:
    // record: the learner's recent receive record, read when groups are drawn.
    explicit WeakSignsMode(std::function<std::vector<SignTally>()> record)
        : record_(std::move(record)) {}

    std::string kind() const override { return "receive"; }
    ExercisePlan plan(const TrainingContext& context) const override;

    // The active alphabet's signs with the digits, weighted by the record.
    WeakSigns weakSigns(bool latin) const;
    // While a course runs: draw only from these signs (Windows-1251 as the course writes them);
    // empty draws from the whole alphabet again.
    void limitTo(std::string courseSigns) { limit_ = std::move(courseSigns); }

private:
    std::string limit_;
    std::function<std::vector<SignTally>()> record_;
};

} // namespace kelvatron
