#include "exercises/callsigngenerator.h"

#include <array>
#include <vector>

#include "core/random.h"

namespace kelvatron {

namespace {

int familyWeightTotal() {
    int total = 0;
    for (const PrefixFamily& family : kPrefixFamilies)
        total += family.weight;
    return total;
}

std::vector<std::string_view> stemWords(std::string_view text) {
    std::vector<std::string_view> out;
    while (!text.empty()) {
        const size_t space = text.find(' ');
        out.push_back(text.substr(0, space));
        text = space == std::string_view::npos ? std::string_view{} : text.substr(space + 1);
    }
    return out;
}

// The prefixes put before a stroke, each with its region: a Russian call works abroad as
// "DL/UA3ABC", a foreign one in Russia as "R/OK1XY" or "UA/OK1XY"; never at home.
struct StrokePrefix {
    std::string_view prefix;
    CallRegion region;
};
constexpr std::array<StrokePrefix, 17> kStrokePrefixes = {{
    {"R", CallRegion::Russia}, {"UA", CallRegion::Russia}, {"DL", CallRegion::Europe},
    {"F", CallRegion::Europe}, {"G", CallRegion::Europe},  {"I", CallRegion::Europe},
    {"OH", CallRegion::Europe}, {"SM", CallRegion::Europe}, {"SP", CallRegion::Europe},
    {"OK", CallRegion::Europe}, {"EA", CallRegion::Europe}, {"HA", CallRegion::Europe},
    {"LY", CallRegion::Baltic}, {"ES", CallRegion::Baltic}, {"YL", CallRegion::Baltic},
    {"UR", CallRegion::Cis},    {"EW", CallRegion::Cis},
}};

} // namespace

char CallsignGenerator::letter(char from, char to) {
    return static_cast<char>(from + Random(state_, uint32_t(to - from + 1)));
}

std::string CallsignGenerator::drawStem(std::string_view stems) {
    const std::vector<std::string_view> all = stemWords(stems);
    const std::string_view stem = all[Random(state_, uint32_t(all.size()))];
    // "RA-RZ": the first letter as written, the second from the range.
    if (stem.size() == 5 && stem[2] == '-')
        return std::string{stem[0], letter(stem[1], stem[4])};
    return std::string(stem);
}

std::string CallsignGenerator::drawBase(const PrefixFamily& family) {
    std::string call = drawStem(family.stems);
    call += static_cast<char>('0' + Random(state_, 10));
    const int length =
        family.suffixMin + int(Random(state_, uint32_t(family.suffixMax - family.suffixMin + 1)));
    for (int i = 0; i < length; ++i)
        call += letter();
    return call;
}

// A European call in Europe is worked from another country there (F/DL1AB), never from its own.
std::string_view CallsignGenerator::drawStrokePrefix(std::string_view base, CallRegion region) {
    for (;;) {
        const StrokePrefix& p = kStrokePrefixes[Random(state_, uint32_t(kStrokePrefixes.size()))];
        const bool home = base.starts_with(p.prefix) ||
                          (region != CallRegion::Europe && p.region == region);
        if (!home) return p.prefix;
    }
}

Callsign CallsignGenerator::draw() {
    static const int total = familyWeightTotal();
    int pick = int(Random(state_, uint32_t(total)));
    const PrefixFamily* family = &kPrefixFamilies.front();
    for (const PrefixFamily& f : kPrefixFamilies) {
        if (pick < f.weight) {
            family = &f;
            break;
        }
        pick -= f.weight;
    }
    Callsign call{drawBase(*family), family->region};
    if (int(Random(state_, 100)) >= kStrokeFormPercent)
        return call;
    // Portable most often, mobile less, QRP and a prefix before the stroke now and then.
    switch (Random(state_, 10)) {
    case 0: case 1: case 2: case 3: call.text += "/P"; break;
    case 4: case 5: case 6: call.text += "/M"; break;
    case 7: call.text += "/QRP"; break;
    default: call.text = std::string(drawStrokePrefix(call.text, call.region)) + "/" + call.text;
    }
    return call;
}

Callsign CallsignGenerator::next() {
    // A repeat is redrawn; the table holds millions of calls, so a run of hundreds rarely needs
    // a second draw.
    for (;;) {
        Callsign call = draw();
        if (given_.insert(call.text).second)
            return call;
    }
}

} // namespace kelvatron
