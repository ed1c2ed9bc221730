#pragma once
#include <span>
#include <utility>
#include <vector>

namespace kelvatron {

// A group of signs: positions [begin, end) of a sign sequence.
struct GroupSpan {
    int begin;
    int end;
};

// Pairs of a sent group and a typed group with exactly the same signs, in order on both sides,
// as many as possible: only sent groups that occur once in the sent text take part (a repeated
// group could pair with the wrong copy), and among the typed groups that equal them the longest
// increasing chain is kept. These pairs are certain matches that cut a long alignment into
// short pieces.
std::vector<std::pair<GroupSpan, GroupSpan>> matchingGroups(std::span<const int> sent,
                                                            std::span<const GroupSpan> sentGroups,
                                                            std::span<const int> typed,
                                                            std::span<const GroupSpan> typedGroups);

} // namespace kelvatron
