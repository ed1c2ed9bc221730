#pragma once
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "audio/livevoice.h"
#include "audio/signalchain.h"
#include "tonegen/tonetypes.h"

namespace kelvatron {

// Mono samples at the stream's rate.
using ToneSamples = std::vector<float>;

// One change on the output timeline. Scheduled changes (start, stop, volume) take effect at
// their stream frame; a key-down or key-up of the hand's live tone takes effect at the first
// frame not yet mixed, or, when it carries its moment (atMs) and the output placed it, at its
// frame like a scheduled change.
struct TimelineEvent {
    enum class Kind : uint8_t { Start, Stop, Volume, KeyDown, KeyUp, Chain };
    // What a scheduled change's position counts from: the stream's frame 0, or the first frame
    // of a run, which the run's first change (NewRun, whose position is then the lead it wants
    // after what is mixed) fixes when the sound thread takes it. So a run sounds as soon as the
    // stream can, and the rest of it keeps its schedule against its own start.
    enum class Origin : uint8_t { Stream, Run, NewRun };
    int64_t position = 0;
    Kind kind = Kind::Stop;
    Origin origin = Origin::Stream;
    // Start: the samples. The timeline borrows them and hands them back through ToneReturn
    // when it is done with them, so the thread that made them frees them.
    const ToneSamples* tone = nullptr;
    bool loop = false;                  // Start: repeat until the next event
    uint32_t volume = 0;                // Volume: low word left, high word right
    int32_t frequency = 0;              // KeyDown
    TTGWave waveform = TTGWave::tgSine; // KeyDown
    double atMs = 0; // KeyDown, KeyUp: the key edge's moment on the program's clock, 0 if none
    bool placed = false; // KeyDown, KeyUp: the output has set its position from atMs
    // Chain: the stages the sound passes from this frame on, handed over and back as a tone is.
    SignalChain* chain = nullptr;
    bool dry = false; // Start: the tone passes no stage of the chain (SND_DRY)

    static TimelineEvent start(int64_t at, const ToneSamples* tone, bool loop, bool dry = false) {
        TimelineEvent event{at, Kind::Start, Origin::Stream, tone, loop};
        event.dry = dry;
        return event;
    }
    static TimelineEvent stop(int64_t at) { return {at, Kind::Stop}; }
    static TimelineEvent setVolume(int64_t at, uint32_t v) {
        return {at, Kind::Volume, Origin::Stream, nullptr, false, v};
    }
    static TimelineEvent keyDown(int32_t frequency, TTGWave waveform, double atMs = 0) {
        return {0, Kind::KeyDown, Origin::Stream, nullptr, false, 0, frequency, waveform, atMs};
    }
    static TimelineEvent keyUp(double atMs = 0) {
        TimelineEvent event{0, Kind::KeyUp};
        event.atMs = atMs;
        return event;
    }
    static TimelineEvent swapChain(int64_t at, SignalChain* chain) {
        TimelineEvent event{at, Kind::Chain};
        event.chain = chain;
        return event;
    }
    bool isKey() const { return kind == Kind::KeyDown || kind == Kind::KeyUp; }
    // An output with a clock gives a key edge that carries its moment the frame `delayMs` after
    // it, so that every edge sounds equally late and a tone as long as its key was held.
    void placeKey(double originMs, double delayMs, uint32_t rate) {
        if (!isKey() || atMs <= 0) return;
        position = std::llround((atMs + delayMs - originMs) * rate / 1000.0);
        placed = true;
    }
};

// Takes back the samples of tones the timeline has finished with (ended, cut off, replaced),
// and the signal chains it has replaced.
class ToneReturn {
public:
    virtual ~ToneReturn() = default;
    virtual void finished(const ToneSamples* tone) = 0;
    virtual void chainFinished(SignalChain* /*chain*/) {}
};

// The sound thread's side of the output: at most one scheduled tone sounds at a time (a new
// start or a stop ends the one before), each starting at its exact frame, mixed into
// interleaved stereo with the left and right level in force at each frame. An event whose frame
// has already been mixed takes effect at the start of the next block, and a tone that starts
// late still plays from its first sample. The hand's live tone sounds over it. The sum passes
// the signal chain in force (none at first) before the volume takes it to the two channels; a
// dry tone is added after the chain instead, at the chain's level, while the chain runs on
// (its noise goes on under the dry tone).
//
// Events wait in a fixed ring and the chain's blocks in a fixed buffer, so nothing here
// allocates or frees.
class ToneTimeline {
public:
    explicit ToneTimeline(uint32_t rate = 48000, uint32_t volume = 0xFFFFFFFFu,
                          ToneReturn* returns = nullptr);

    // Scheduled events arrive in order of position. False when the ring is full: the event is
    // not taken.
    bool add(const TimelineEvent& event);
    bool full() const { return count_ == kCapacity; }

    // Writes frames [blockStart, blockStart + frames) as interleaved left/right floats.
    void mix(float* out, int frames, int64_t blockStart);

    // Takes back what was mixed from frame `to` on, so that changes that come now sound from
    // there rather than after all that is mixed: an output that can rewrite what its server has
    // not yet played calls it before taking new requests, and then mixes those frames again.
    // It goes no further back than the last change that took effect, nor into a tone that is
    // sounding (what was mixed since then could not be mixed again the same way). Returns the
    // frame it went back to, and the next block starts there.
    int64_t rewind(int64_t to);

    // Hands back every tone still held or waiting (the stream has stopped for good).
    void releaseAll();

    bool sounding() const { return tone_ != nullptr || live_.sounding(); }
    // The chain the sound passes now; null is an empty one.
    const SignalChain* chain() const { return chain_; }
    size_t pendingEvents() const { return count_; }
    // The first frame not yet mixed: the earliest a change can still sound.
    int64_t mixedEnd() const { return mixedEnd_; }

    static constexpr size_t kCapacity = 256;
    // The chain gets the sound in blocks of at most this many frames.
    static constexpr int64_t kChainBlock = 256;

private:
    void apply(const TimelineEvent& event, int64_t now);
    void render(float* out, int64_t from, int64_t to, int64_t blockStart);
    float voicesAt(int64_t pos, float& dry);
    void giveBack(const TimelineEvent& event);
    void setGains(uint32_t volume);
    void endTone();
    const TimelineEvent& front() const { return events_[head_]; }
    void popFront();

    ToneReturn* returns_;
    int64_t mixedEnd_ = 0; // the first frame not yet mixed
    int64_t lastBlockFrames_ = 0;
    int64_t changedAt_ = 0; // the frame of the last change that took effect
    int64_t lastPosition_ = 0; // of the latest scheduled change taken
    int64_t runStart_ = 0;     // the run's first frame
    std::array<TimelineEvent, kCapacity> events_{};
    size_t head_ = 0, count_ = 0;
    const ToneSamples* tone_ = nullptr;
    int64_t toneStart_ = 0;
    bool loop_ = false;
    bool dry_ = false;
    float left_ = 1, right_ = 1;
    LiveVoice live_;
    SignalChain* chain_ = nullptr;
    std::array<float, kChainBlock> mono_{};
    std::array<float, kChainBlock> dryMono_{}; // the dry tone's part of the block
};

} // namespace kelvatron
