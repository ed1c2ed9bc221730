#include "audio/tonetimeline.h"

#include <algorithm>

namespace kelvatron {

ToneTimeline::ToneTimeline(uint32_t rate, uint32_t volume, ToneReturn* returns)
    : returns_(returns), live_(rate) {
    setGains(volume);
}

void ToneTimeline::setGains(uint32_t volume) {
    left_ = (volume & 0xFFFFu) / 65535.0f;
    right_ = (volume >> 16) / 65535.0f;
}

bool ToneTimeline::add(const TimelineEvent& event) {
    // A key edge without its frame takes effect at the first frame not yet mixed.
    if (event.isKey() && !event.placed) {
        apply(event, mixedEnd_);
        return true;
    }
    if (full()) return false;
    TimelineEvent& taken = events_[(head_ + count_) % kCapacity];
    taken = event;
    // A new run starts its lead after the next block (mixed a block ahead of its sound).
    if (event.origin == TimelineEvent::Origin::NewRun) {
        runStart_ = std::max(mixedEnd_ + lastBlockFrames_ + event.position, lastPosition_);
        taken.position = runStart_;
    } else if (event.origin == TimelineEvent::Origin::Run) {
        taken.position += runStart_;
    }
    taken.origin = TimelineEvent::Origin::Stream;
    lastPosition_ = std::max(lastPosition_, taken.position);
    ++count_;
    return true;
}

void ToneTimeline::popFront() {
    events_[head_] = {};
    head_ = (head_ + 1) % kCapacity;
    --count_;
}

void ToneTimeline::endTone() {
    if (tone_ && returns_) returns_->finished(tone_);
    tone_ = nullptr;
}

void ToneTimeline::apply(const TimelineEvent& event, int64_t now) {
    changedAt_ = now;
    switch (event.kind) {
    case TimelineEvent::Kind::Start:
        endTone();
        tone_ = event.tone;
        toneStart_ = now;
        loop_ = event.loop;
        dry_ = event.dry;
        if (tone_ && tone_->empty()) endTone();
        break;
    case TimelineEvent::Kind::Stop:
        endTone();
        break;
    case TimelineEvent::Kind::Volume:
        setGains(event.volume);
        break;
    case TimelineEvent::Kind::KeyDown:
        live_.keyDown(event.frequency, event.waveform);
        break;
    case TimelineEvent::Kind::KeyUp:
        live_.keyUp();
        break;
    case TimelineEvent::Kind::Chain:
        if (chain_ && returns_) returns_->chainFinished(chain_);
        chain_ = event.chain;
        break;
    default:
        break;
    }
}

// The placed tone and the live voice at one frame that pass the chain; a dry tone's sample goes
// to `dry` instead.
float ToneTimeline::voicesAt(int64_t pos, float& dry) {
    float s = 0;
    dry = 0;
    if (tone_) {
        auto length = static_cast<int64_t>(tone_->size());
        int64_t i = pos - toneStart_;
        if (loop_) i %= length;
        if (i < length) {
            (dry_ ? dry : s) = (*tone_)[static_cast<size_t>(i)];
        } else {
            endTone();
            changedAt_ = pos;
        }
    }
    // The live voice counts every frame, sounding or not, so that it can be rewound.
    const bool live = live_.sounding();
    const float voice = live_.next();
    if (live) s = std::clamp(s + voice, -1.0f, 1.0f);
    return s;
}

void ToneTimeline::render(float* out, int64_t from, int64_t to, int64_t blockStart) {
    float* frame = out + 2 * (from - blockStart);
    for (int64_t piece = from; piece < to; piece += kChainBlock) {
        const auto count = static_cast<size_t>(std::min(to - piece, kChainBlock));
        for (size_t i = 0; i < count; ++i)
            mono_[i] = voicesAt(piece + static_cast<int64_t>(i), dryMono_[i]);
        if (chain_) chain_->process(std::span(mono_.data(), count), piece);
        const float dryLevel = chain_ ? chain_->level() : 1;
        for (size_t i = 0; i < count; ++i, frame += 2) {
            const float s = mono_[i] + dryMono_[i] * dryLevel;
            frame[0] = s * left_;
            frame[1] = s * right_;
        }
    }
}

void ToneTimeline::mix(float* out, int frames, int64_t blockStart) {
    int64_t pos = blockStart;
    const int64_t end = blockStart + frames;
    while (pos < end) {
        while (count_ > 0 && front().position <= pos) {
            apply(front(), pos);
            popFront();
        }
        int64_t segmentEnd = count_ == 0 ? end : std::min(end, front().position);
        render(out, pos, segmentEnd, blockStart);
        pos = segmentEnd;
    }
    mixedEnd_ = end;
    lastBlockFrames_ = frames;
}

int64_t ToneTimeline::rewind(int64_t to) {
    const int64_t floor = tone_ ? mixedEnd_ : changedAt_;
    to = std::clamp(to, std::min(floor, mixedEnd_), mixedEnd_);
    live_.rewind(mixedEnd_ - to);
    if (chain_ && to < mixedEnd_) chain_->rewound(to);
    mixedEnd_ = to;
    // The next block is mixed and written at once: a new run leads from here, not a block on.
    lastBlockFrames_ = 0;
    return to;
}

void ToneTimeline::giveBack(const TimelineEvent& event) {
    if (!returns_) return;
    if (event.tone) returns_->finished(event.tone);
    if (event.chain) returns_->chainFinished(event.chain);
}

void ToneTimeline::releaseAll() {
    endTone();
    if (chain_ && returns_) returns_->chainFinished(chain_);
    chain_ = nullptr;
    for (; count_ > 0; popFront())
        giveBack(front());
}

} // namespace kelvatron
