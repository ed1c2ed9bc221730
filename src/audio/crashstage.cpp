#include "audio/crashstage.h"

#include <algorithm>
#include <cmath>

#include "audio/counterrandom.h"

namespace kelvatron {

namespace {
constexpr double kLongestDecay = 0.033, kDecays = 5;
} // namespace

CrashStage::CrashStage(uint32_t seed, double rate, double percent, double level)
    : stream_(randomStream(seed, 3)), noise_(randomStream(seed, 4)), rate_(rate),
      strength_(std::clamp(percent / 100, 0.0, 1.0)), amplitude_(level),
      slotFrames_(std::max<int64_t>(1, std::llround(kSlotSeconds * rate))),
      lookback_(static_cast<int64_t>(std::ceil(kLongestDecay * kDecays / kSlotSeconds)) + 1),
      attackFrames_(static_cast<float>(rate / 1000)) {}

bool CrashStage::crashOf(int64_t slot, Crash& crash) const {
    if (unitAt(stream_, 4 * slot) >= kPerSecond * strength_ * kSlotSeconds) return false;
    const double decay = 0.003 + 0.030 * unitAt(stream_, 4 * slot + 1);
    crash.start = slot * slotFrames_ +
                  static_cast<int64_t>(unitAt(stream_, 4 * slot + 2) * static_cast<double>(slotFrames_));
    crash.end = crash.start + static_cast<int64_t>(kDecays * decay * rate_);
    crash.peak = static_cast<float>((0.25 + 1.75 * unitAt(stream_, 4 * slot + 3)) * strength_ * amplitude_);
    crash.decayPerFrame = static_cast<float>(1 / (decay * rate_));
    return true;
}

void CrashStage::process(std::span<float> block, int64_t position) {
    if (strength_ <= 0) return;
    const int64_t end = position + static_cast<int64_t>(block.size());
    size_t count = 0;
    for (int64_t slot = std::max<int64_t>(0, position / slotFrames_ - lookback_);
         slot <= end / slotFrames_ && count < active_.size(); ++slot) {
        Crash crash;
        if (crashOf(slot, crash) && crash.end > position && crash.start < end)
            active_[count++] = crash;
    }
    for (size_t c = 0; c < count; ++c) {
        const Crash& crash = active_[c];
        for (int64_t n = std::max(position, crash.start); n < std::min(end, crash.end); ++n) {
            const auto t = static_cast<float>(n - crash.start);
            const float rise = std::min(1.0f, t / attackFrames_);
            const float envelope = crash.peak * rise * std::exp(-t * crash.decayPerFrame);
            block[static_cast<size_t>(n - position)] += envelope * uniformAt(noise_, n) * 1.7320508f;
        }
    }
}

} // namespace kelvatron
