#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace kelvatron {

// One change on the output timeline, at a stream frame.
struct TimelineEvent {
    enum class Kind : uint8_t { Start, Stop, Volume };
    int64_t position = 0;
    Kind kind = Kind::Stop;
    std::shared_ptr<const std::vector<float>> tone; // Start: mono samples at the stream's rate
    bool loop = false;                              // Start: repeat until the next event
    uint32_t volume = 0;                            // Volume: low word left, high word right

    static TimelineEvent start(int64_t at, std::shared_ptr<const std::vector<float>> tone,
                               bool loop) {
        return {at, Kind::Start, std::move(tone), loop, 0};
    }
    static TimelineEvent stop(int64_t at) { return {at, Kind::Stop, nullptr, false, 0}; }
    static TimelineEvent setVolume(int64_t at, uint32_t v) {
        return {at, Kind::Volume, nullptr, false, v};
    }
};

// The sound thread's side of the output: at most one tone sounds at a time (a new start or a
// stop ends the one before), each starting at its exact frame, mixed into interleaved stereo
// with the left and right level in force at each frame. An event whose frame has already been
// mixed takes effect at the start of the next block, and a tone that starts late still plays
// from its first sample.
class ToneTimeline {
public:
    explicit ToneTimeline(uint32_t volume = 0xFFFFFFFFu) { setGains(volume); }

    // Events arrive in order of position.
    void add(TimelineEvent event) { events_.push_back(std::move(event)); }

    // Writes frames [blockStart, blockStart + frames) as interleaved left/right floats.
    void mix(float* out, int frames, int64_t blockStart);

    bool sounding() const { return tone_ != nullptr; }
    size_t pendingEvents() const { return events_.size(); }

private:
    void apply(TimelineEvent& event, int64_t now);
    void render(float* out, int64_t from, int64_t to, int64_t blockStart);
    void setGains(uint32_t volume);

    std::deque<TimelineEvent> events_;
    std::shared_ptr<const std::vector<float>> tone_;
    int64_t toneStart_ = 0;
    bool loop_ = false;
    float left_ = 1, right_ = 1;
};

} // namespace kelvatron
