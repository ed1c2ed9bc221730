// The air's chain on the sound card's streams: frames mixed again after a rewind come out as
// they did, and the hand's own key stays clean.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "audio/airchain.h"

using namespace kelvatron;

namespace {

// Every allocation this program makes is counted while armed, so the stages can be shown to make
// none while they run (the sound thread must not wait on the allocator). The sanitizers keep the
// allocator to themselves: there the count is left out.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define KELVATRON_COUNTS_ALLOCATIONS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define KELVATRON_COUNTS_ALLOCATIONS 0
#endif
#endif
#ifndef KELVATRON_COUNTS_ALLOCATIONS
#define KELVATRON_COUNTS_ALLOCATIONS 1
#endif
std::atomic<bool> countAllocations{false};
std::atomic<int> allocations{0};

void* counted(std::size_t size) {
    if (countAllocations.load(std::memory_order_relaxed)) allocations.fetch_add(1);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

void uncounted(void* p) {
    if (p && countAllocations.load(std::memory_order_relaxed)) allocations.fetch_add(1);
    std::free(p);
}

} // namespace

#if KELVATRON_COUNTS_ALLOCATIONS
void* operator new(std::size_t size) {
    return counted(size);
}
void* operator new[](std::size_t size) {
    return counted(size);
}
void operator delete(void* p) noexcept {
    uncounted(p);
}
void operator delete[](void* p) noexcept {
    uncounted(p);
}
void operator delete(void* p, std::size_t) noexcept {
    uncounted(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    uncounted(p);
}
#endif

namespace {

AirConditions everything() {
    AirConditions air;
    air.on = air.noise = true;
    air.snrDb = 5, air.bandwidthHz = 300, air.qsbHz = 1, air.qrmStations = 5, air.qrnPercent = 100;
    return air;
}

// A keyed tone at 800 Hz: on for 50 ms, off for 50 ms.
std::vector<float> keyedTone(size_t frames) {
    std::vector<float> s(frames);
    for (size_t i = 0; i < frames; ++i)
        s[i] = (i / 2400) % 2 ? 0.0f : float(std::sin(2 * 3.14159265 * 800 * double(i) / 48000));
    return s;
}

} // namespace

TEST(AirChain, FramesMixedAgainAfterARewindComeOutAsTheyDid) {
    const std::vector<float> input = keyedTone(48000);
    struct Case {
        int64_t rewindTo, mixedTo;
    } cases[] = {{30000, 32768}, {12345, 40000}, {256, 512}, {0, 48000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rewindTo);
        auto chain = makeAirChain(everything(), 48000, 7);
        std::vector<float> first = input, again = input;
        for (int64_t at = 0; at < c.mixedTo; at += 250)
            chain->process(std::span(first).subspan(size_t(at), 250), at);
        chain->rewound(c.rewindTo);
        // Mixed again in blocks of another size.
        for (int64_t at = c.rewindTo; at < 48000; at += 100) {
            const auto count = size_t(std::min<int64_t>(100, 48000 - at));
            chain->process(std::span(again).subspan(size_t(at), count), at);
        }
        auto straight = makeAirChain(everything(), 48000, 7);
        std::vector<float> expected = input;
        for (int64_t at = 0; at < 48000; at += 250)
            straight->process(std::span(expected).subspan(size_t(at), 250), at);
        for (int64_t i = c.rewindTo; i < 48000; i += 97)
            ASSERT_NEAR(again[size_t(i)], expected[size_t(i)], 1e-5) << i;
    }
}

TEST(AirChain, TheLiveStreamAndConditionsSwitchedOffGetAnEmptyChain) {
    AirConditions off = everything();
    off.on = false;
    EXPECT_TRUE(airChainMaker(everything())(48000, 1, ChainStream::Live)->empty());
    EXPECT_TRUE(airChainMaker(off)(48000, 1, ChainStream::Placed)->empty());
    EXPECT_FALSE(airChainMaker(everything())(48000, 1, ChainStream::Placed)->empty());
}

// The sound thread's side of every stage, a rewind included, neither allocates nor frees.
TEST(AirChain, TheStagesNeitherAllocateNorFreeWhileTheyRun) {
    if (!KELVATRON_COUNTS_ALLOCATIONS) GTEST_SKIP() << "the sanitizer's allocator is not counted";
    auto chain = makeAirChain(everything(), 48000, 3);
    std::vector<float> sound = keyedTone(48000);
    allocations = 0;
    countAllocations = true;
    for (int64_t at = 0; at + 256 <= 48000; at += 256)
        chain->process(std::span(sound).subspan(size_t(at), 256), at);
    chain->rewound(20000);
    chain->process(std::span(sound).subspan(20000, 256), 20000);
    countAllocations = false;
    EXPECT_EQ(allocations, 0);
}
