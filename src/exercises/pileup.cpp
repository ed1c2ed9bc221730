#include "exercises/pileup.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/random.h"

namespace kelvatron {

namespace {

// The first `count` of slots 0..slots-1 in a drawn order.
std::vector<int> drawSlots(int slots, int count, uint32_t& state) {
    std::vector<int> order(slots);
    std::iota(order.begin(), order.end(), 0);
    for (int i = slots; i > 1; --i)
        std::swap(order[i - 1], order[Random(state, uint32_t(i))]);
    order.resize(std::min(count, slots));
    return order;
}

int64_t startOfSlot(int slot, uint32_t rate) {
    return int64_t(slot) * kPileupStartStepMs * rate / 1000;
}

} // namespace

std::vector<PileupCaller> drawPileupCallers(CallsignGenerator& calls, int count,
                                            const PileupSettings& settings, uint32_t& state) {
    count = std::clamp(count, 1, kPileupMaxCallers);
    const std::vector<int> pitches = drawSlots(kPileupPitchSlots, count, state);
    const std::vector<int> starts = drawSlots(kPileupStartSlots, count, state);
    std::vector<PileupCaller> callers;
    for (int i = 0; i < count; ++i) {
        PileupCaller c;
        c.call = calls.next().text;
        c.pitchHz = settings.centreHz + (pitches[i] - kPileupPitchSlots / 2) * kPileupPitchStepHz;
        c.cpm = settings.cpm * int(80 + Random(state, 46)) / 100;
        c.level = 0.35 + 0.65 * Random(state, 1000) / 999.0;
        c.startSample = startOfSlot(starts[i], settings.rate);
        callers.push_back(c);
    }
    return callers;
}

PileupCaller drawNewcomer(CallsignGenerator& calls, const std::vector<PileupCaller>& callers,
                          const PileupSettings& settings, uint32_t& state) {
    PileupCaller c = drawPileupCallers(calls, 1, settings, state).front();
    const auto taken = [&](double hz) {
        return std::any_of(callers.begin(), callers.end(), [&](const PileupCaller& o) {
            return std::abs(o.pitchHz - hz) < kPileupPitchStepHz / 2;
        });
    };
    for (int slot : drawSlots(kPileupPitchSlots, kPileupPitchSlots, state)) {
        c.pitchHz = settings.centreHz + (slot - kPileupPitchSlots / 2) * kPileupPitchStepHz;
        if (!taken(c.pitchHz)) break;
    }
    return c;
}

void redrawStarts(std::vector<PileupCaller>& callers, const PileupSettings& settings,
                  uint32_t& state) {
    const std::vector<int> starts = drawSlots(kPileupStartSlots, int(callers.size()), state);
    for (size_t i = 0; i < callers.size(); ++i)
        callers[i].startSample = startOfSlot(starts[i], settings.rate);
}

} // namespace kelvatron
