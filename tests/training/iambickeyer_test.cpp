#include <gtest/gtest.h>

#include <sstream>

#include "training/iambickeyer.h"

using namespace kelvatron;

namespace {

// Drives a keyer at a 60 ms dot with the events ("dah↓10" presses the dah paddle at 10 ms, "↑"
// lets it go), advancing it every stepMs when above zero as an event loop would, then to the end;
// the tones heard, "0-60 120-180".
std::string tones(KeyerMode mode, std::string_view events, double stepMs) {
    IambicKeyer keyer(mode, 60);
    std::vector<ToneEdge> edges;
    auto take = [&](const std::vector<ToneEdge>& more) {
        edges.insert(edges.end(), more.begin(), more.end());
    };
    double t = 0;
    for (size_t at = 0, end; at < events.size(); at = end + 1) {
        end = std::min(events.find(' ', at), events.size());
        const std::string_view e = events.substr(at, end - at); // "dit", an arrow, the time
        const double atMs = std::stod(std::string(e.substr(6)));
        for (; stepMs > 0 && t + stepMs < atMs; t += stepMs)
            take(keyer.advance(t + stepMs));
        take(keyer.paddle(e[2] == 't' ? Paddle::Dit : Paddle::Dah, e.substr(3, 3) == "↓", atMs));
    }
    take(keyer.advance(5000));
    std::ostringstream out;
    for (size_t i = 0; i < edges.size(); ++i)
        if (edges[i].on != (i % 2 == 0))
            ADD_FAILURE() << "edges out of turn at " << i;
        else
            out << edges[i].atMs << (i % 2 ? (i + 1 < edges.size() ? " " : "") : "-");
    return out.str();
}

} // namespace

// Dot 60 ms, dash 180 ms, one dot of silence after each element.
TEST(IambicKeyer, KeysPaddlesExactly) {
    const auto A = KeyerMode::IambicA, B = KeyerMode::IambicB, bug = KeyerMode::Bug;
    const char* squeezeReleasedInDah = "dit↓0 dah↓10 dit↑250 dah↑250";
    const struct {
        const char* name;
        KeyerMode mode;
        const char* events;
        const char* expected;
    } cases[] = {
        {"a held dit repeats until released", A, "dit↓0 dit↑150", "0-60 120-180"},
        {"released in the silence, nothing follows", B, "dit↓0 dit↑90", "0-60"},
        {"a squeeze alternates", A, "dah↓0 dit↓5 dah↑500 dit↑500", "0-180 240-300 360-540"},
        {"A: a squeeze released during a dah ends with it", A, squeezeReleasedInDah,
         "0-60 120-300"},
        {"B: a squeeze released during a dah adds a dit", B, squeezeReleasedInDah,
         "0-60 120-300 360-420"},
        {"B: released during the added element, nothing more", B, "dah↓0 dit↓10 dah↑100 dit↑100",
         "0-180 240-300"},
        {"dah memory: a dah tapped during a dit", A, "dit↓0 dit↑20 dah↓30 dah↑40", "0-60 120-300"},
        {"dot memory: a dit tapped during a dah", A, "dah↓0 dah↑100 dit↓150 dit↑160",
         "0-180 240-300"},
        {"a dit tapped again during its own dit", A, "dit↓0 dit↑20 dit↓40 dit↑50", "0-60 120-180"},
        {"bug: dots while held, the dash as long as held", bug, "dit↓0 dit↑250 dah↓400 dah↑580",
         "0-60 120-180 240-300 400-580"},
        {"bug: a dash held during the dots sounds after them", bug, "dit↓0 dah↓30 dit↑100 dah↑200",
         "0-60 120-200"},
        {"straight: either paddle keys the tone", KeyerMode::Straight,
         "dit↓0 dah↓50 dit↑100 dah↑150", "0-150"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(tones(c.mode, c.events, 0), c.expected);
        EXPECT_EQ(tones(c.mode, c.events, 1), c.expected) << "advanced every ms";
    }
}
