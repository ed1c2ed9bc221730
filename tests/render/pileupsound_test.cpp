// The pile-up: callers drawn apart in pitch and start, and their mix, where each is heard from
// its own start sample at its own pitch.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>

#include "audio/signalchain.h"
#include "render/pileupsound.h"

using namespace kelvatron;

namespace {

// The amplitude of `hz` in samples [from, from + length), by Goertzel's recurrence.
double amplitudeAt(const std::vector<float>& s, double hz, uint32_t rate, size_t from,
                   size_t length) {
    const double w = 2 * std::numbers::pi * hz / rate;
    double s1 = 0, s2 = 0;
    for (size_t i = from; i < from + length && i < s.size(); ++i) {
        const double s0 = s[i] + 2 * std::cos(w) * s1 - s2;
        s2 = s1, s1 = s0;
    }
    return 2 * std::sqrt(s1 * s1 + s2 * s2 - 2 * std::cos(w) * s1 * s2) / double(length);
}

class Silence : public SignalStage {
public:
    void process(std::span<float> block, int64_t position) override {
        EXPECT_EQ(position, next);
        next = position + int64_t(block.size());
        std::fill(block.begin(), block.end(), 0.f);
    }
    int64_t next = 0;
};

} // namespace

TEST(Pileup, CallersNeverShareAStartOrAPitch) {
    const PileupSettings settings;
    for (uint32_t seed = 1; seed <= 40; ++seed)
        for (int count = 1; count <= kPileupMaxCallers; ++count) {
            CallsignGenerator calls(seed);
            uint32_t state = seed;
            std::vector<PileupCaller> callers = drawPileupCallers(calls, count, settings, state);
            ASSERT_EQ(int(callers.size()), count);
            for (int round = 0; round < 2; ++round) {
                std::set<std::string> names;
                for (size_t i = 0; i < callers.size(); ++i) {
                    const PileupCaller& a = callers[i];
                    names.insert(a.call);
                    EXPECT_GE(a.cpm, settings.cpm * 80 / 100);
                    EXPECT_LE(a.cpm, settings.cpm * 125 / 100);
                    EXPECT_TRUE(a.level >= 0.35 && a.level <= 1.0);
                    for (size_t j = 0; j < i; ++j) {
                        const PileupCaller& b = callers[j];
                        EXPECT_GE(std::abs(a.pitchHz - b.pitchHz), kPileupPitchStepHz);
                        EXPECT_GE(std::abs(a.startSample - b.startSample),
                                  int64_t(kPileupStartStepMs) * settings.rate / 1000);
                    }
                }
                EXPECT_EQ(int(names.size()), count);
                // Calling again after one was worked, with a newcomer: new starts, still apart.
                callers.erase(callers.begin());
                callers.push_back(drawNewcomer(calls, callers, settings, state));
                redrawStarts(callers, settings, state);
            }
        }
}

// In the mix each caller's tone at its own pitch appears at its start sample and not before it.
TEST(Pileup, EachCallerIsHeardFromItsStartAtItsPitch) {
    const PileupSettings settings;
    CallsignGenerator calls(3);
    uint32_t state = 3;
    const std::vector<PileupCaller> callers =
        drawPileupCallers(calls, kPileupMaxCallers, settings, state);
    const std::vector<float> mix = mixPileup(callers, settings.rate);
    const size_t window = settings.rate / 50; // 20 ms, within a first element at these speeds
    const size_t edge = settings.rate / 200;
    size_t firstSound = 0;
    while (firstSound < mix.size() && mix[firstSound] == 0.f)
        ++firstSound;
    int64_t earliest = INT64_MAX;
    for (const PileupCaller& c : callers) {
        earliest = std::min(earliest, c.startSample);
        const auto start = size_t(c.startSample);
        const double after = amplitudeAt(mix, c.pitchHz, settings.rate, start + edge, window);
        EXPECT_GT(after, 0.2 * c.level) << c.call;
        if (start >= window) {
            const double before =
                amplitudeAt(mix, c.pitchHz, settings.rate, start - window, window);
            EXPECT_LT(before, after / 5) << c.call << " sounds before its start";
        }
    }
    EXPECT_NEAR(double(firstSound), double(earliest), 1) << "the edge starts at zero";
    // The band's stages take the mix in order, block after block.
    SignalChain chain;
    auto silence = std::make_unique<Silence>();
    Silence* stage = silence.get();
    chain.add(std::move(silence));
    const std::vector<float> quiet = mixPileup(callers, settings.rate, {}, &chain);
    EXPECT_EQ(stage->next, int64_t(quiet.size()));
    EXPECT_TRUE(std::all_of(quiet.begin(), quiet.end(), [](float s) { return s == 0.f; }));
}
