#include <gtest/gtest.h>

#include "training/iambickeyer.h"

using namespace kelvatron;

namespace {

struct PaddleEvent {
    Paddle paddle;
    bool down;
    double atMs;
};
constexpr Paddle kDit = Paddle::Dit, kDah = Paddle::Dah;
using Tones = std::vector<std::pair<double, double>>; // on and off times

// Drives a keyer at a 60 ms dot with the events, advancing it every stepMs when above zero as an
// event loop would, then to the end.
Tones tones(KeyerMode mode, const std::vector<PaddleEvent>& events, double stepMs) {
    IambicKeyer keyer(mode, 60);
    std::vector<ToneEdge> edges;
    auto take = [&](const std::vector<ToneEdge>& more) {
        edges.insert(edges.end(), more.begin(), more.end());
    };
    double t = 0;
    for (const auto& e : events) {
        for (; stepMs > 0 && t + stepMs < e.atMs; t += stepMs)
            take(keyer.advance(t + stepMs));
        take(keyer.paddle(e.paddle, e.down, e.atMs));
    }
    take(keyer.advance(5000));
    Tones out;
    for (size_t i = 0; i < edges.size(); ++i)
        if (edges[i].on != (i % 2 == 0))
            ADD_FAILURE() << "edges out of turn at " << i;
        else if (i % 2)
            out.emplace_back(edges[i - 1].atMs, edges[i].atMs);
    return out;
}

} // namespace

// Dot 60 ms, dash 180 ms, one dot of silence after each element.
TEST(IambicKeyer, KeysPaddlesExactly) {
    const auto A = KeyerMode::IambicA, B = KeyerMode::IambicB;
    const std::vector<PaddleEvent> squeezeReleasedInDah = {
        {kDit, true, 0}, {kDah, true, 10}, {kDit, false, 250}, {kDah, false, 250}};
    const struct {
        const char* name;
        KeyerMode mode;
        std::vector<PaddleEvent> events;
        Tones expected;
    } cases[] = {
        {"a held dit repeats until released",
         A,
         {{kDit, true, 0}, {kDit, false, 150}},
         {{0, 60}, {120, 180}}},
        {"released in the silence, nothing follows",
         B,
         {{kDit, true, 0}, {kDit, false, 90}},
         {{0, 60}}},
        {"a squeeze alternates",
         A,
         {{kDah, true, 0}, {kDit, true, 5}, {kDah, false, 500}, {kDit, false, 500}},
         {{0, 180}, {240, 300}, {360, 540}}},
        {"A: a squeeze released during a dah ends with it",
         A,
         squeezeReleasedInDah,
         {{0, 60}, {120, 300}}},
        {"B: a squeeze released during a dah adds a dit",
         B,
         squeezeReleasedInDah,
         {{0, 60}, {120, 300}, {360, 420}}},
        {"B: released during the added element, nothing more",
         B,
         {{kDah, true, 0}, {kDit, true, 10}, {kDah, false, 100}, {kDit, false, 100}},
         {{0, 180}, {240, 300}}},
        {"dah memory: a dah tapped during a dit",
         A,
         {{kDit, true, 0}, {kDit, false, 20}, {kDah, true, 30}, {kDah, false, 40}},
         {{0, 60}, {120, 300}}},
        {"dot memory: a dit tapped during a dah",
         A,
         {{kDah, true, 0}, {kDah, false, 100}, {kDit, true, 150}, {kDit, false, 160}},
         {{0, 180}, {240, 300}}},
        {"a dit tapped again during its own dit",
         A,
         {{kDit, true, 0}, {kDit, false, 20}, {kDit, true, 40}, {kDit, false, 50}},
         {{0, 60}, {120, 180}}},
        {"bug: dots while held, the dash as long as held",
         KeyerMode::Bug,
         {{kDit, true, 0}, {kDit, false, 250}, {kDah, true, 400}, {kDah, false, 580}},
         {{0, 60}, {120, 180}, {240, 300}, {400, 580}}},
        {"bug: a dash held during the dots sounds after them",
         KeyerMode::Bug,
         {{kDit, true, 0}, {kDah, true, 30}, {kDit, false, 100}, {kDah, false, 200}},
         {{0, 60}, {120, 200}}},
        {"straight: either paddle keys the tone",
         KeyerMode::Straight,
         {{kDit, true, 0}, {kDah, true, 50}, {kDit, false, 100}, {kDah, false, 150}},
         {{0, 150}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(tones(c.mode, c.events, 0), c.expected);
        EXPECT_EQ(tones(c.mode, c.events, 1), c.expected) << "advanced every ms";
    }
}
