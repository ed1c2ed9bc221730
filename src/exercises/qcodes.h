#pragma once
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kelvatron {

// A Q-code or an abbreviation of the air with what it means, in Russian (UTF-8).
struct AirCode {
    std::string_view code; // Latin capitals and digits, as keyed
    std::string_view meaning;
};

inline constexpr int kAirCodeCount = 48;
extern const std::array<AirCode, kAirCodeCount> kAirCodes;

// The codes in a drawn order, each once: a drill's run.
std::vector<AirCode> shuffledAirCodes(uint32_t seed);

} // namespace kelvatron
