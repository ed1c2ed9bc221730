#include "training/weaksigns.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/random.h"
#include "keying/signtable.h"

namespace kelvatron {

namespace {
constexpr double kResolution = 1000; // weights are drawn in thousandths
}

WeakSigns::WeakSigns(std::string_view alphabetCp1251, const std::vector<SignTally>& record) {
    for (char c : alphabetCp1251)
        if (findSign(std::string_view(&c, 1)) && signs_.find(c) == std::string::npos)
            signs_.push_back(c);
    uint32_t total = 0;
    for (char c : signs_) {
        int sent = 0, wrong = 0;
        for (const SignTally& t : record)
            if (t.sign == c) sent += t.sent, wrong += t.wrong;
        const double smoothed = (wrong + 1.0) / (sent + 4.0);
        weights_.push_back(kFloor + smoothed);
        errorRates_.push_back(wrong > 0 ? smoothed : -1);
        total += static_cast<uint32_t>(std::lround(weights_.back() * kResolution));
        cumulative_.push_back(total);
    }
}

double WeakSigns::weight(char sign) const {
    const auto at = signs_.find(sign);
    return at == std::string::npos ? 0 : weights_[at];
}

std::string WeakSigns::weakest(int count) const {
    std::vector<int> order(signs_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return errorRates_[a] > errorRates_[b]; });
    std::string out;
    for (int i : order)
        if (int(out.size()) < count && errorRates_[i] > 0) out.push_back(signs_[i]);
    return out;
}

std::string WeakSigns::drawGroup(int size, const Generator& random) const {
    std::string group;
    if (signs_.empty()) return group;
    for (int i = 0; i < size; ++i) {
        const uint32_t r = random(cumulative_.back());
        const auto at = std::upper_bound(cumulative_.begin(), cumulative_.end(), r);
        group.push_back(signs_[at - cumulative_.begin()]);
    }
    return group;
}

std::string WeakSigns::drawGroups(int groups, int size, const Generator& random) const {
    std::string out;
    for (int g = 0; g < groups; ++g) {
        if (g > 0) out.push_back(' ');
        out += drawGroup(size, random);
    }
    return out;
}

std::string WeakSigns::drawGroups(int groups, int size) const {
    return drawGroups(groups, size, [](uint32_t n) { return Random(n); });
}

} // namespace kelvatron
