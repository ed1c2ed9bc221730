#include "core/terminationrequest.h"

#include <atomic>

namespace kelvatron {

namespace {
std::atomic<bool> requested{false};
static_assert(std::atomic<bool>::is_always_lock_free,
              "the signal handler may only use lock-free atomics");
} // namespace

void raiseTerminationRequest() noexcept {
    requested.store(true, std::memory_order_relaxed);
}

bool terminationRequested() noexcept {
    return requested.load(std::memory_order_relaxed);
}

void clearTerminationRequest() noexcept {
    requested.store(false, std::memory_order_relaxed);
}

} // namespace kelvatron
