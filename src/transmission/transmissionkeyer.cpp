#include "transmission/transmissionkeyer.h"

#include <algorithm>
#include <cmath>

#include "core/clock.h"
#include "core/formstate.h"
#include "keying/farnsworth.h"
#include "keying/signplayer.h"
#include "keying/signtable.h"

namespace kelvatron {

TransmissionKeyer::TransmissionKeyer(SignPlayer& player, Clock& clock, TimingValues& timing)
    : player_(player), clock_(clock), timing_(timing) {}

// The elements as the sign player keys them; the pause after the sign is owed.
void TransmissionKeyer::key(char symbol) {
    const auto index = findSign(std::string_view(&symbol, 1));
    if (!index) return;
    settle();
    player_.keyElements(kSignTable[*index]);
    wait(takeSignPause(timing_));
}

double TransmissionKeyer::elementsEnded() const {
    return silenceBegan_ - timing_.dotLength;
}

void TransmissionKeyer::waitSince(double moment, int32_t ms) {
    double owedEnd = silenceBegan_;
    for (int32_t owed : owed_)
        owedEnd += owed;
    owedEnd = std::max(owedEnd, clock_.logicalNow());
    const double missing = moment + ms - owedEnd;
    if (missing > 0) wait(static_cast<int32_t>(std::lround(missing)));
}

void TransmissionKeyer::wait(int32_t ms) {
    if (owed_.empty()) silenceBegan_ = clock_.logicalNow();
    owed_.push_back(ms);
}

// Each wait is slept on its own, as long as it was asked for less what has passed already on
// the schedule. Writing the window takes no time on the schedule: the waits end on it anyway.
void TransmissionKeyer::settle() {
    double gone = owed_.empty() ? 0 : clock_.logicalNow() - silenceBegan_;
    for (int32_t ms : owed_) {
        const double left = std::max(0.0, ms - gone);
        gone = std::max(0.0, gone - ms);
        clock_.sleep(static_cast<int32_t>(std::lround(left)));
    }
    owed_.clear();
}

} // namespace kelvatron
