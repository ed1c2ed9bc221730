#include "platform/tonetimeline.h"

#include <algorithm>

namespace kelvatron {

void ToneTimeline::setGains(uint32_t volume) {
    left_ = (volume & 0xFFFFu) / 65535.0f;
    right_ = (volume >> 16) / 65535.0f;
}

void ToneTimeline::apply(TimelineEvent& event, int64_t now) {
    switch (event.kind) {
    case TimelineEvent::Kind::Start:
        tone_ = event.tone && !event.tone->empty() ? std::move(event.tone) : nullptr;
        toneStart_ = now;
        loop_ = event.loop;
        break;
    case TimelineEvent::Kind::Stop:
        tone_ = nullptr;
        break;
    case TimelineEvent::Kind::Volume:
        setGains(event.volume);
        break;
    }
}

void ToneTimeline::render(float* out, int64_t from, int64_t to, int64_t blockStart) {
    float* frame = out + 2 * (from - blockStart);
    for (int64_t pos = from; pos < to; ++pos, frame += 2) {
        float s = 0;
        if (tone_) {
            auto length = static_cast<int64_t>(tone_->size());
            int64_t i = pos - toneStart_;
            if (loop_) i %= length;
            if (i < length)
                s = (*tone_)[static_cast<size_t>(i)];
            else
                tone_ = nullptr;
        }
        frame[0] = s * left_;
        frame[1] = s * right_;
    }
}

void ToneTimeline::mix(float* out, int frames, int64_t blockStart) {
    int64_t pos = blockStart;
    const int64_t end = blockStart + frames;
    while (pos < end) {
        while (!events_.empty() && events_.front().position <= pos) {
            apply(events_.front(), pos);
            events_.pop_front();
        }
        int64_t segmentEnd = events_.empty() ? end : std::min(end, events_.front().position);
        render(out, pos, segmentEnd, blockStart);
        pos = segmentEnd;
    }
}

} // namespace kelvatron
