#include "render/arearesampler.h"

#include <algorithm>
#include <numeric>

namespace kelvatron {

AreaResampler::AreaResampler(uint32_t inputRate, uint32_t outputRate) {
    const uint32_t common = std::gcd(inputRate, outputRate);
    inputStep_ = inputRate / common;
    outputStep_ = outputRate / common;
}

namespace {
// The mean, rounded to the nearest whole sample.
int16_t roundedMean(int64_t sum, int64_t units) {
    const int64_t half = units / 2;
    return static_cast<int16_t>(sum >= 0 ? (sum + half) / units : -((-sum + half) / units));
}
} // namespace

void AreaResampler::push(std::span<const int16_t> in, std::vector<int16_t>& out) {
    for (int16_t sample : in) {
        int64_t left = outputStep_;
        while (left > 0) {
            const int64_t take = std::min(left, inputStep_ - filled_);
            sum_ += sample * take;
            filled_ += take;
            left -= take;
            if (filled_ == inputStep_) {
                out.push_back(roundedMean(sum_, inputStep_));
                filled_ = 0;
                sum_ = 0;
            }
        }
    }
}

void AreaResampler::finish(std::vector<int16_t>& out) {
    if (filled_ > 0 && 2 * filled_ >= inputStep_) out.push_back(roundedMean(sum_, filled_));
    filled_ = 0;
    sum_ = 0;
}

} // namespace kelvatron
