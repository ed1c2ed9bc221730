#include <gtest/gtest.h>

#include <array>
#include <map>
#include <regex>
#include <set>

#include "exercises/callsigngenerator.h"

using namespace kelvatron;

namespace {

// What a call of each region looks like, written from the allocation rules rather than from the
// table: prefix, one call-area digit, a suffix of letters.
struct RegionPattern {
    CallRegion region;
    const char* core;
};
const std::array<RegionPattern, kCallRegionCount> kRegionPatterns = {{
    {CallRegion::Russia, "(R[A-Z]?|U[A-I]?)[0-9][A-Z]{1,3}"},
    {CallRegion::Cis, "(U[J-Z]|E[MNOUVWXYZKR]|4[LJK])[0-9][A-Z]{1,3}"},
    {CallRegion::Baltic, "(LY|YL|ES)[0-9][A-Z]{1,3}"},
    {CallRegion::Europe,
     "(D[LJKO]|G|M|F|I[KZ]?|EA|S[PQ]|O[KL]|OH|S[MA]|H[AG]|YO|LZ|9A|S5|ON|P[AD]|OE)[0-9][A-Z]{2,3}"},
    {CallRegion::NorthAmerica, "([KWN][A-Z]?|A[A-K]|V[EA])[0-9][A-Z]{1,3}"},
    {CallRegion::Asia, "(J[A-S]|B[YGD]|HL|DS|4[XZ])[0-9][A-Z]{2,3}"},
    {CallRegion::Elsewhere, "(PY|LU|VK|ZL|ZS)[0-9][A-Z]{2,3}"},
}};

std::regex fullPattern(const char* core) {
    return std::regex(std::string("([A-Z0-9]{1,2}/)?") + core + "(/P|/M|/QRP)?");
}

} // namespace

// Every call follows its region's pattern; no call comes twice in a run; one in about ten
// carries a stroke; the regions come in the table's shares.
TEST(CallsignGenerator, FollowsThePrefixRulesAndTheWeights) {
    constexpr int kCalls = 20000;
    std::map<CallRegion, int> weight, drawn;
    int total = 0;
    for (const PrefixFamily& f : kPrefixFamilies) {
        weight[f.region] += f.weight;
        total += f.weight;
    }
    std::vector<std::regex> patterns;
    for (const RegionPattern& row : kRegionPatterns)
        patterns.push_back(fullPattern(row.core));
    CallsignGenerator generator(12345);
    std::set<std::string> seen;
    int strokes = 0;
    for (int i = 0; i < kCalls; ++i) {
        const Callsign call = generator.next();
        ASSERT_TRUE(std::regex_match(call.text, patterns[int(call.region)])) << call.text;
        EXPECT_TRUE(seen.insert(call.text).second) << call.text;
        strokes += call.text.find('/') != std::string::npos;
        // A prefix before the stroke is another country's: never "DL/DL1AB" nor "R/UA3ABC".
        const size_t stroke = call.text.find('/');
        if (stroke != std::string::npos && stroke <= 2) {
            const std::string prefix = call.text.substr(0, stroke);
            EXPECT_FALSE(call.text.substr(stroke + 1).starts_with(prefix)) << call.text;
            if (call.region == CallRegion::Russia) {
                EXPECT_NE(prefix, "UA") << call.text;
            }
        }
        ++drawn[call.region];
    }
    EXPECT_NEAR(strokes, kCalls * kStrokeFormPercent / 100, kCalls / 100);
    for (const auto& [region, w] : weight)
        EXPECT_NEAR(double(drawn[region]) / kCalls, double(w) / total, 0.015) << int(region);
}

TEST(CallsignGenerator, TheSameSeedGivesTheSameCalls) {
    CallsignGenerator a(7), b(7), c(8);
    std::string fromA, fromB, fromC;
    for (int i = 0; i < 20; ++i) {
        fromA += a.next().text + " ";
        fromB += b.next().text + " ";
        fromC += c.next().text + " ";
    }
    EXPECT_EQ(fromA, fromB);
    EXPECT_NE(fromA, fromC);
}
