#include "training/keyrepeatfilter.h"

#include <algorithm>

namespace kelvatron {

void KeyRepeatFilter::letPendingThrough(std::vector<KeyInput>& out) {
    if (!pendingRelease_) return;
    std::erase(down_, pendingRelease_->key);
    out.push_back(*pendingRelease_);
    pendingRelease_.reset();
}

std::vector<KeyInput> KeyRepeatFilter::feed(const KeyInput& event) {
    std::vector<KeyInput> out;
    if (event.autoRepeat) return out;
    const bool undoesRelease = event.down && pendingRelease_ && pendingRelease_->key == event.key &&
                               event.timeMs - pendingRelease_->timeMs <= sameTimeMs_;
    if (undoesRelease) {
        pendingRelease_.reset();
        return out;
    }
    letPendingThrough(out);
    const bool held = std::ranges::find(down_, event.key) != down_.end();
    if (event.down && !held) {
        down_.push_back(event.key);
        out.push_back(event);
    } else if (!event.down && held) {
        pendingRelease_ = event;
    }
    return out;
}

std::vector<KeyInput> KeyRepeatFilter::poll(double nowMs) {
    std::vector<KeyInput> out;
    if (pendingRelease_ && nowMs - pendingRelease_->timeMs > sameTimeMs_) letPendingThrough(out);
    return out;
}

std::optional<double> KeyRepeatFilter::nextDeadline() const {
    if (!pendingRelease_) return std::nullopt;
    return pendingRelease_->timeMs + sameTimeMs_;
}

} // namespace kelvatron
