#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace kelvatron {

// Where a call comes from, as the drills mix them.
enum class CallRegion : uint8_t { Russia, Cis, Baltic, Europe, NorthAmerica, Asia, Elsewhere };
inline constexpr int kCallRegionCount = 7;

// One family of calls: a prefix, then one call-area digit, then a suffix of suffixMin..suffixMax
// letters. `stems` lists the prefixes, space-separated; "RA-RZ" stands for RA, RB … RZ. The
// prefixes follow the international allocation of call-sign series (Russia R and UA–UI, Ukraine
// UR–UZ and EM–EO, Belarus EU–EW …) and the usual national structure of a call; no real
// operator's call is listed. `weight` is the family's share of the drawn calls.
struct PrefixFamily {
    CallRegion region;
    int weight;
    std::string_view stems;
    int suffixMin;
    int suffixMax;
};

inline constexpr int kPrefixFamilyCount = 47;
extern const std::array<PrefixFamily, kPrefixFamilyCount> kPrefixFamilies;

// The share of calls, out of every hundred, that carry a portable or special form.
inline constexpr int kStrokeFormPercent = 10;

} // namespace kelvatron
