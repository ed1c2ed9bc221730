#include <gtest/gtest.h>

#include "training/keyrepeatfilter.h"

using namespace kelvatron;

namespace {

constexpr int kSpace = 32, kCtrl = 17;
KeyInput press(double t, int key = kSpace, bool repeat = false) {
    return {key, true, t, repeat};
}
KeyInput release(double t, int key = kSpace, bool repeat = false) {
    return {key, false, t, repeat};
}

} // namespace

TEST(KeyRepeatFilter, PassesKeyingAndDropsAutoRepeat) {
    const struct {
        const char* name;
        std::vector<KeyInput> events, expected;
    } cases[] = {
        {"pairs flagged by the toolkit",
         {press(0), release(500, kSpace, true), press(500, kSpace, true), release(900)},
         {press(0), release(900)}},
        {"unflagged pairs with one time stamp",
         {press(0), release(500), press(500), release(533), press(534.5), release(900)},
         {press(0), release(900)}},
        {"presses alone while held",
         {press(0), press(500), press(530), release(900)},
         {press(0), release(900)}},
        {"a release and a press 3 ms apart are real",
         {press(0), release(40), press(43)},
         {press(0), release(40), press(43)}},
        {"another key's event lets a release through first",
         {press(0), release(50), press(50, kCtrl)},
         {press(0), release(50), press(50, kCtrl)}},
        {"a release without a press", {release(10), press(20)}, {press(20)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KeyRepeatFilter filter;
        std::vector<KeyInput> out;
        for (const auto& e : c.events)
            std::ranges::copy(filter.feed(e), std::back_inserter(out));
        std::ranges::copy(filter.poll(1e9), std::back_inserter(out));
        EXPECT_EQ(out, c.expected);
    }
}

TEST(KeyRepeatFilter, HoldsAReleaseBackOnlyUntilNoPressCanUndoIt) {
    KeyRepeatFilter filter;
    filter.feed(press(0));
    EXPECT_TRUE(filter.feed(release(100)).empty());
    EXPECT_EQ(filter.nextDeadline(), 102);
    EXPECT_TRUE(filter.poll(102).empty());
    EXPECT_EQ(filter.poll(102.5), std::vector<KeyInput>{release(100)});
}
