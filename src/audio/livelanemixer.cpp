#include "audio/livelanemixer.h"

namespace kelvatron {

void LiveLaneMixer::followVolume(uint32_t volume) {
    volume_.store(volume);
    if (!volumeQueued_.exchange(true) && !requests_.push(TimelineEvent::setVolume(0, volume)))
        volumeQueued_.store(false);
}

void LiveLaneMixer::cycle(float* out, int frames, double nowMs, double playingFrame) {
    if (playingFrame >= 0) origin_.reading(nowMs, playingFrame * 1000.0 / rate_);
    drainRequests();
    timeline_.mix(out, frames, written_);
    written_ += frames;
    lastCycle_.store(static_cast<uint32_t>(frames), std::memory_order_relaxed);
}

void LiveLaneMixer::drainRequests() {
    while (!timeline_.full()) {
        const TimelineEvent* event = requests_.front();
        if (!event) break;
        TimelineEvent taken = *event;
        if (taken.kind == TimelineEvent::Kind::Volume) {
            volumeQueued_.store(false);
            taken.volume = volume_.load();
        }
        if (taken.isKey()) placeKey(taken);
        timeline_.add(taken);
        requests_.pop();
    }
}

void LiveLaneMixer::placeKey(TimelineEvent& key) {
    if (key.atMs <= 0) {
        keyPlaced_ = false;
        return;
    }
    if (key.kind == TimelineEvent::Kind::KeyUp) {
        if (keyPlaced_ || origin_.known())
            key.placeKey(keyPlaced_ ? keyOriginMs_ : origin_.originMs(), keyDelayMs_, rate_);
        keyPlaced_ = false;
        return;
    }
    const int64_t first = timeline_.mixedEnd();
    if (origin_.known()) key.placeKey(origin_.originMs(), keyDelayMs_, rate_);
    if (!key.placed || key.position < first) {
        key.position = first;
        key.placed = true;
        keyOriginMs_ = key.atMs + keyDelayMs_ - first * 1000.0 / rate_;
    } else {
        keyOriginMs_ = origin_.originMs();
    }
    keyPlaced_ = true;
}

void LiveLaneMixer::releaseAll() {
    for (TimelineEvent event; requests_.pop(event);) {
        if (!returns_) continue;
        if (event.tone) returns_->finished(event.tone);
        if (event.chain) returns_->chainFinished(event.chain);
    }
    timeline_.releaseAll();
}

} // namespace kelvatron
