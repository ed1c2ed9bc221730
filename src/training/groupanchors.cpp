#include "training/groupanchors.h"

#include <algorithm>
#include <string>
#include <unordered_map>

namespace kelvatron {

namespace {

std::string contentOf(std::span<const int> keys, GroupSpan g) {
    std::string s;
    for (int k = g.begin; k < g.end; ++k) {
        s.push_back(static_cast<char>(keys[k] & 0xFF));
        s.push_back(static_cast<char>(keys[k] >> 8));
    }
    return s;
}

// Longest chain of pairs increasing on both sides (pairs come sorted by sent index, typed index
// descending within one sent index): patience sorting with back links.
std::vector<int> longestChain(const std::vector<std::pair<int, int>>& pairs) {
    std::vector<int> tails, back(pairs.size(), -1);
    for (int p = 0; p < int(pairs.size()); ++p) {
        auto at = std::lower_bound(tails.begin(), tails.end(), pairs[p].second,
                                   [&](int q, int t) { return pairs[q].second < t; });
        if (at != tails.begin()) back[p] = *(at - 1);
        if (at == tails.end())
            tails.push_back(p);
        else
            *at = p;
    }
    std::vector<int> chain;
    for (int p = tails.empty() ? -1 : tails.back(); p >= 0; p = back[p])
        chain.push_back(p);
    std::reverse(chain.begin(), chain.end());
    return chain;
}

} // namespace

std::vector<std::pair<GroupSpan, GroupSpan>>
matchingGroups(std::span<const int> sent, std::span<const GroupSpan> sentGroups,
               std::span<const int> typed, std::span<const GroupSpan> typedGroups) {
    std::unordered_map<std::string, int> once; // content -> sent group, -1 when repeated
    for (int g = 0; g < int(sentGroups.size()); ++g) {
        auto [it, fresh] = once.try_emplace(contentOf(sent, sentGroups[g]), g);
        if (!fresh) it->second = -1;
    }
    std::vector<std::pair<int, int>> pairs; // (sent group, typed group)
    for (int g = 0; g < int(typedGroups.size()); ++g) {
        auto it = once.find(contentOf(typed, typedGroups[g]));
        if (it != once.end() && it->second >= 0) pairs.emplace_back(it->second, g);
    }
    std::sort(pairs.begin(), pairs.end(), [](auto a, auto b) {
        return a.first != b.first ? a.first < b.first : a.second > b.second;
    });
    std::vector<std::pair<GroupSpan, GroupSpan>> out;
    for (int p : longestChain(pairs))
        out.emplace_back(sentGroups[pairs[p].first], typedGroups[pairs[p].second]);
    return out;
}

} // namespace kelvatron
