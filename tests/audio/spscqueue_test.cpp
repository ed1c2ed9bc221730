#include <gtest/gtest.h>

#include <thread>

#include "audio/spscqueue.h"

using namespace kelvatron;

TEST(SpscQueue, RefusesWhenFullAndGivesValuesBackInOrder) {
    SpscQueue<int, 4> q;
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(q.push(i));
    EXPECT_FALSE(q.push(4));
    int v = -1;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(q.pop(v));
        EXPECT_EQ(v, i);
    }
    EXPECT_FALSE(q.pop(v));
    EXPECT_EQ(q.front(), nullptr);
}

// Under the thread sanitizer this shows the two sides need no lock.
TEST(SpscQueue, CarriesEveryValueBetweenTwoThreadsInOrder) {
    constexpr int kCount = 200000;
    SpscQueue<int, 64> q;
    std::thread producer([&] {
        for (int i = 0; i < kCount;)
            if (q.push(i))
                ++i;
            else
                std::this_thread::yield();
    });
    int expected = 0;
    while (expected < kCount) {
        int v;
        if (!q.pop(v)) {
            std::this_thread::yield();
            continue;
        }
        ASSERT_EQ(v, expected);
        ++expected;
    }
    producer.join();
}
