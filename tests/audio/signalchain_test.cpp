// The signal chain: every frame the timeline mixes passes its stages once, in order and at its
// own position, between the voices and the volume; chains handed over come back to be freed.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <vector>

#include "audio/tonetimeline.h"

using namespace kelvatron;
using Samples = std::vector<float>;

namespace {

// Keeps what it saw at each position and halves the sound, so that its work shows at the output.
class MarkingStage : public SignalStage {
public:
    void process(std::span<float> block, int64_t position) override {
        EXPECT_EQ(position, next) << "blocks follow each other";
        for (float& s : block) {
            seen[next++] = s;
            s *= 0.5f;
        }
    }
    void rewound(int64_t position) override { next = position; }

    std::map<int64_t, float> seen;
    int64_t next = 0;
};

struct ChainReturn : ToneReturn {
    void finished(const ToneSamples*) override {}
    void chainFinished(SignalChain* chain) override { returned.push_back(chain); }
    std::vector<SignalChain*> returned;
};

// A placed tone with the live key over it, the key's edges at their frames; mixed in uneven
// blocks, its left channel.
Samples mixKeyedTone(ToneTimeline& t, const ToneSamples& tone) {
    t.add(TimelineEvent::start(30, &tone, false));
    TimelineEvent down = TimelineEvent::keyDown(700, TTGWave::tgSquare), up = TimelineEvent::keyUp();
    down.position = 100, up.position = 700;
    down.placed = up.placed = true;
    t.add(down);
    t.add(up);
    Samples out(2 * 1200), left;
    for (int at = 0; at < 1200; at += 37)
        t.mix(out.data() + 2 * at, std::min(37, 1200 - at), at);
    for (size_t i = 0; i < out.size(); i += 2)
        left.push_back(out[i]);
    return left;
}

} // namespace

TEST(SignalChain, AStageSeesEveryFrameOfPlacedToneAndLiveKeyAtItsPosition) {
    const ToneSamples tone(500, 0.25f);
    ToneTimeline plain(48000);
    const Samples expected = mixKeyedTone(plain, tone);

    ChainReturn returns;
    ToneTimeline t(48000, 0xFFFFFFFFu, &returns);
    SignalChain chain;
    auto stage = std::make_unique<MarkingStage>();
    MarkingStage& marks = *stage;
    chain.add(std::move(stage));
    t.add(TimelineEvent::swapChain(0, &chain));
    const Samples heard = mixKeyedTone(t, tone);

    ASSERT_EQ(marks.seen.size(), expected.size());
    for (int64_t f = 0; f < static_cast<int64_t>(expected.size()); ++f) {
        ASSERT_EQ(marks.seen[f], expected[f]) << "frame " << f;
        ASSERT_EQ(heard[f], 0.5f * expected[f]) << "frame " << f;
    }

    // Frames mixed again after a rewind pass the stage again from there.
    EXPECT_EQ(t.rewind(1000), 1000);
    EXPECT_EQ(marks.next, 1000);
    Samples again(2 * 200);
    t.mix(again.data(), 200, 1000);
    EXPECT_EQ(marks.next, 1200);

    // A chain replaced, and the one in force when the stream stops, come back once each.
    SignalChain empty;
    t.add(TimelineEvent::swapChain(1200, &empty));
    t.mix(again.data(), 10, 1200);
    t.releaseAll();
    EXPECT_EQ(returns.returned, (std::vector<SignalChain*>{&chain, &empty}));
}

// A dry tone (the spoken answers) passes no stage: the chain runs on over silence beneath it
// and the tone is added after it, scaled as the chain scales the keyed tones.
TEST(SignalChain, ADryToneIsAddedAfterTheChainAtItsLevel) {
    const ToneSamples keyed(100, 0.5f), spoken(100, 0.5f);
    ToneTimeline t(48000);
    SignalChain chain;
    auto stage = std::make_unique<MarkingStage>();
    MarkingStage& marks = *stage;
    chain.add(std::move(stage));
    chain.setLevel(0.25f);
    t.add(TimelineEvent::swapChain(0, &chain));
    t.add(TimelineEvent::start(0, &keyed, false));
    t.add(TimelineEvent::start(100, &spoken, false, true));
    Samples out(2 * 300);
    t.mix(out.data(), 300, 0);
    for (int64_t f = 0; f < 300; ++f) {
        ASSERT_EQ(marks.seen[f], f < 100 ? 0.5f : 0.0f) << "frame " << f;
        ASSERT_EQ(out[size_t(2 * f)], f < 100 ? 0.25f : f < 200 ? 0.125f : 0.0f) << "frame " << f;
    }
}
