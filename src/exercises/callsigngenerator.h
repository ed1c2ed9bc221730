#pragma once
#include <cstdint>
#include <string>
#include <unordered_set>

#include "exercises/callsignprefixes.h"

namespace kelvatron {

struct Callsign {
    std::string text; // Latin capitals, digits and '/', e.g. "UA3ABC", "DL/RW1AB", "OK1XY/P"
    CallRegion region;
};

// Draws realistic calls from the prefix table, weighted by family, one in ten with a portable
// or special form (/P, /M, /QRP, or a country's prefix before a stroke). The same seed gives the
// same calls; one generator never gives the same call twice.
class CallsignGenerator {
public:
    explicit CallsignGenerator(uint32_t seed) : state_(seed) {}

    Callsign next();

private:
    Callsign draw();
    std::string drawBase(const PrefixFamily& family);
    std::string drawStem(std::string_view stems);
    std::string_view drawStrokePrefix(std::string_view base, CallRegion region);
    char letter(char from = 'A', char to = 'Z');

    uint32_t state_;
    std::unordered_set<std::string> given_;
};

} // namespace kelvatron
