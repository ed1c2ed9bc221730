#include "audio/pulledstreammixer.h"

#include <algorithm>

namespace kelvatron {

void PulledStreamMixer::cycle(float* out, int frames, double nowMs, double playingFrame) {
    if (playingFrame >= 0) {
        origin_.reading(nowMs, playingFrame * 1000.0 / rate_);
        publish(nowMs, playingFrame);
    }
    drain(liveRequests_, live_);
    drain(placedRequests_, placed_);
    placed_.mix(out, frames, written_);
    for (int done = 0; done < frames; done += kPieceFrames) {
        const int piece = std::min(kPieceFrames, frames - done);
        live_.mix(piece_, piece, written_ + done);
        float* to = out + 2 * done;
        for (int i = 0; i < 2 * piece; ++i) to[i] += piece_[i];
    }
    written_ += frames;
    lastCycle_.store(static_cast<uint32_t>(frames), std::memory_order_relaxed);
}

void PulledStreamMixer::publish(double nowMs, double playingFrame) {
    originMs_.store(origin_.originMs(), std::memory_order_relaxed);
    ahead_.store(written_ - static_cast<int64_t>(playingFrame), std::memory_order_relaxed);
    if (nowMs - origin_.agreedSinceMs() >= kSettleMs) settled_.store(true, std::memory_order_release);
}

bool PulledStreamMixer::pushPlaced(const TimelineEvent& event) {
    if (event.kind == TimelineEvent::Kind::Volume) {
        volume_.store(event.volume);
        if (!volumeQueued_.exchange(true) &&
            !liveRequests_.push(TimelineEvent::setVolume(0, event.volume)))
            volumeQueued_.store(false);
    }
    return placedRequests_.push(event);
}

void PulledStreamMixer::drain(SpscQueue<TimelineEvent, TimelineSoundDevice::kSlots>& requests,
                              ToneTimeline& timeline) {
    while (!timeline.full()) {
        const TimelineEvent* event = requests.front();
        if (!event) break;
        TimelineEvent taken = *event;
        if (&timeline == &live_ && taken.kind == TimelineEvent::Kind::Volume) {
            volumeQueued_.store(false);
            taken.volume = volume_.load();
        }
        if (taken.isKey()) placeKey(taken);
        // A prompt run starts its lead from the cycle mixed now, which is the next to sound:
        // the timeline would skip a block, as an output that mixes a block ahead must.
        if (&timeline == &live_ && taken.origin == TimelineEvent::Origin::NewRun)
            taken.position = std::max<int64_t>(0, taken.position - lastCycle_.load(std::memory_order_relaxed));
        timeline.add(taken);
        requests.pop();
    }
}

void PulledStreamMixer::placeKey(TimelineEvent& key) {
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
    const int64_t first = live_.mixedEnd();
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

void PulledStreamMixer::releaseAll() {
    for (auto* requests : {&placedRequests_, &liveRequests_})
        for (TimelineEvent event; requests->pop(event);) {
            if (!returns_) continue;
            if (event.tone) returns_->finished(event.tone);
            if (event.chain) returns_->chainFinished(event.chain);
        }
    placed_.releaseAll();
    live_.releaseAll();
}

} // namespace kelvatron
