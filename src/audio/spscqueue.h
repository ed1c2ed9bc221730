#pragma once
#include <array>
#include <atomic>
#include <cstddef>

namespace kelvatron {

// A fixed ring of preallocated slots between exactly one producing and one consuming thread.
// Neither side takes a lock, allocates or frees: a full queue refuses the value, an empty one
// gives nothing. Values are copied in and out, so T should be cheap to copy (plain data, raw
// pointers whose ownership the two sides agree on).
template <typename T, size_t Capacity> class SpscQueue {
    static_assert(Capacity >= 2 && (Capacity & (Capacity - 1)) == 0, "capacity: a power of two");

public:
    // Producer side. False when every slot is taken.
    bool push(const T& value) {
        const size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail - head_.load(std::memory_order_acquire) == Capacity) return false;
        slots_[tail & (Capacity - 1)] = value;
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }

    // Consumer side. The oldest value, or nullptr when empty; it stays until pop().
    const T* front() const {
        const size_t head = head_.load(std::memory_order_relaxed);
        if (head == tail_.load(std::memory_order_acquire)) return nullptr;
        return &slots_[head & (Capacity - 1)];
    }
    void pop() {
        head_.store(head_.load(std::memory_order_relaxed) + 1, std::memory_order_release);
    }

    bool pop(T& out) {
        const T* value = front();
        if (!value) return false;
        out = *value;
        pop();
        return true;
    }

    static constexpr size_t capacity() { return Capacity; }

private:
    std::array<T, Capacity> slots_{};
    // Apart, so that the two threads do not share a cache line for their own counters.
    alignas(64) std::atomic<size_t> head_{0}; // next slot to read; written by the consumer
    alignas(64) std::atomic<size_t> tail_{0}; // next slot to write; written by the producer
};

} // namespace kelvatron
