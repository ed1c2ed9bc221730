#include "platform/pulsesounddevice.h"

#include <pulse/pulseaudio.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <thread>

#include "audio/liverest.h"
#include "platform/realtimethread.h"

namespace kelvatron {

namespace {

constexpr size_t kFrameBytes = 2 * sizeof(float);
// How long the server may take to answer before the program runs silently.
constexpr auto kAnswerTimeout = std::chrono::seconds(2);
// A new stream's clock stands still for a while as the server starts it: the stream counts as
// running once the readings have agreed for this long.
constexpr double kSettleMs = 1000;
// How long the live stream goes on after the last key before it rests.
constexpr double kLiveRestAfterMs = 2000;
// How fast the published write-ahead forgets a peak, in ms per second.
constexpr double kAheadDecayPerSecond = 5;

int64_t framesFor(double ms, uint32_t rate) {
    return std::llround(ms * rate / 1000);
}

uint32_t bytesFor(double ms, uint32_t rate) {
    return static_cast<uint32_t>(framesFor(ms, rate)) * kFrameBytes;
}

} // namespace

struct PulseSoundDevice::Lane {
    Lane(PulseSoundDevice& owner, double bufferMs, double largestBufferMs)
        : owner(owner), largestBufferMs(largestBufferMs), bufferMs(bufferMs),
          timeline(owner.options_.rate, owner.volume_, static_cast<ToneReturn*>(&owner)),
          rest(kLiveRestAfterMs, largestBufferMs) {}

    void write(size_t bytes);
    void respond();
    void rewrite(int64_t from);
    void drainRequests();
    void placeKey(TimelineEvent& key);
    void corkIfIdle(double nowMs);
    void setCorked(bool corked);
    void wake();
    void publish(double nowMs);
    void grow();
    void takeGrowth();
    pa_buffer_attr bufferAttr() const;

    PulseSoundDevice& owner;
    pa_stream* stream = nullptr;
    const double largestBufferMs;

    // Between the calling thread and the writing thread, without a lock.
    SpscQueue<TimelineEvent, kSlots> requests;
    std::atomic<double> originMs{0};
    std::atomic<bool> running{false};
    std::atomic<double> aheadMs{0}; // how far ahead of the sound the writer has been lately
    std::atomic<uint32_t> underruns{0};
    // The placed stream's buffer grows only once the calling thread has moved its run of tones
    // past what the longer buffer will hold: how much longer it is to be, and whether it may.
    std::atomic<double> growthMs{0};
    std::atomic<bool> growthAllowed{false};
    // The live stream follows the volume of the placed tones, which every tone of a
    // transmission sets: it queues one change that takes the latest volume when the writer
    // takes it, so that a resting stream's queue never fills with them.
    std::atomic<uint32_t> volume{0};
    std::atomic<bool> volumeQueued{false};
    // Written by the calling thread after a request, to wake the writing thread at once.
    int wakeFd = -1;
    pa_io_event* wakeEvent = nullptr;

    // The writing thread's own.
    double bufferMs;
    ToneTimeline timeline;
    PlaybackOrigin origin;
    int64_t written = 0; // frames mixed and handed over
    double lastPublishMs = 0;
    bool prioritySet = false;
    bool live = false;      // the live stream: it rests after a while without a key
    bool rewrites = false;  // and writes a key over what the server holds
    bool corked = false;
    bool queueKnown = false; // what the resting stream holds, as the server last said
    // The origin the held key's down edge was placed by, which its up edge takes too.
    double keyOriginMs = 0;
    bool keyPlaced = false;
    LiveRest rest;
};

pa_buffer_attr PulseSoundDevice::Lane::bufferAttr() const {
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.tlength = bytesFor(bufferMs, owner.options_.rate);
    // Playback never waits for a filled buffer: it starts at once and goes on through an
    // underrun, so the stream's frames keep their place on the device's clock.
    attr.prebuf = 0;
    attr.minreq = static_cast<uint32_t>(-1);
    attr.fragsize = static_cast<uint32_t>(-1);
    return attr;
}

void PulseSoundDevice::Lane::drainRequests() {
    while (!timeline.full()) {
        const TimelineEvent* event = requests.front();
        if (!event) break;
        TimelineEvent taken = *event;
        if (live && taken.kind == TimelineEvent::Kind::Volume) {
            volumeQueued.store(false);
            taken.volume = volume.load();
        }
        if (rewrites && taken.isKey()) placeKey(taken);
        timeline.add(taken);
        requests.pop();
    }
}

// A key edge that carries its moment sounds the key delay after it, by the stream's clock. A
// key sounds whole and as long as it was held: its up edge takes the origin its down edge was
// placed by, and a down edge whose frame can no longer be mixed (the stream's clock not yet
// known as it starts, a wake that writes after what the device mixed ahead, an edge that came
// late) moves the whole key to the first frame that can, rather than cut its start.
void PulseSoundDevice::Lane::placeKey(TimelineEvent& key) {
    const double delayMs = owner.options_.keyDelayMs;
    const uint32_t rate = owner.options_.rate;
    if (key.atMs <= 0) {
        keyPlaced = false;
        return;
    }
    if (key.kind == TimelineEvent::Kind::KeyUp) {
        if (keyPlaced || origin.known())
            key.placeKey(keyPlaced ? keyOriginMs : origin.originMs(), delayMs, rate);
        keyPlaced = false;
        return;
    }
    const int64_t first = timeline.mixedEnd();
    if (origin.known()) key.placeKey(origin.originMs(), delayMs, rate);
    if (!key.placed || key.position < first) {
        key.position = first;
        key.placed = true;
        keyOriginMs = key.atMs + delayMs - first * 1000.0 / rate;
    } else {
        keyOriginMs = origin.originMs();
    }
    keyPlaced = true;
}

// The server asks for more: a reading of its playback clock, the requests that came in, and
// the next frames of the timeline.
void PulseSoundDevice::Lane::write(size_t bytes) {
    if (!prioritySet) {
        makeRealtime(::gettid());
        prioritySet = true;
    }
    if (growthAllowed.exchange(false, std::memory_order_acquire)) takeGrowth();
    const double now = owner.clock_.now();
    pa_usec_t playedUs = 0;
    if (pa_stream_get_time(stream, &playedUs) == 0 && playedUs > 0)
        origin.reading(now, playedUs / 1000.0);
    drainRequests();
    while (bytes >= kFrameBytes) {
        void* data = nullptr;
        size_t n = bytes;
        if (pa_stream_begin_write(stream, &data, &n) < 0 || !data || n < kFrameBytes) break;
        const auto frames = static_cast<int>(n / kFrameBytes);
        timeline.mix(static_cast<float*>(data), frames, written);
        pa_stream_write(stream, data, frames * kFrameBytes, nullptr, 0, PA_SEEK_RELATIVE);
        written += frames;
        bytes -= std::min(bytes, frames * kFrameBytes);
    }
    publish(now);
    if (live) corkIfIdle(now);
}

// A key (or a prompt run) came in. On a stream that rewrites, what the server holds beyond the
// sample it plays now and a lead for the rewritten frames to reach it is mixed again with the
// key in it: the key sounds a few milliseconds after it came, however much the stream holds
// against a late writer (the server rewinds what it has already taken of those frames).
// Otherwise the key goes into the next write. A resting stream wakes with the key in what it
// holds, after what the server's device had mixed ahead (see wake()).
void PulseSoundDevice::Lane::respond() {
    uint64_t count = 0;
    while (::read(wakeFd, &count, sizeof count) > 0) {
    }
    if (!requests.front()) return;
    rest.request(owner.clock_.now());
    if (corked) {
        wake();
    } else if (rewrites && origin.known()) {
        const double playingMs = owner.clock_.now() - origin.originMs();
        const int64_t from =
            timeline.rewind(framesFor(playingMs + owner.options_.liveLeadMs, owner.options_.rate));
        drainRequests();
        rewrite(from);
    } else {
        drainRequests(); // for the next write
    }
}

// Mixes frames [from, written) again and writes them over what the server holds.
void PulseSoundDevice::Lane::rewrite(int64_t from) {
    int64_t offset = (from - written) * static_cast<int64_t>(kFrameBytes);
    int64_t at = from;
    while (at < written) {
        void* data = nullptr;
        size_t n = (written - at) * kFrameBytes;
        if (pa_stream_begin_write(stream, &data, &n) < 0 || !data || n < kFrameBytes) break;
        const auto frames = static_cast<int>(std::min<int64_t>(n / kFrameBytes, written - at));
        timeline.mix(static_cast<float*>(data), frames, at);
        pa_stream_write(stream, data, frames * kFrameBytes, nullptr, offset, PA_SEEK_RELATIVE);
        offset = 0;
        at += frames;
    }
    // Should the server refuse a block, the stream goes on from what it has.
    written = at;
}

void PulseSoundDevice::Lane::setCorked(bool on) {
    if (pa_operation* op = pa_stream_cork(stream, on ? 1 : 0, nullptr, nullptr))
        pa_operation_unref(op);
}

// Writing silence a hundred times a second costs a resting program more than all else; the
// stream rests instead, and the first key wakes it. A resting stream's clock stands still: its
// readings start again when it wakes, and the emptiness it wakes with is no underrun. What it
// holds is measured once the server has stopped it, so that a key can be written over it.
void PulseSoundDevice::Lane::corkIfIdle(double nowMs) {
    const pa_timing_info* timing = pa_stream_get_timing_info(stream);
    const bool busy = timeline.sounding() || timeline.pendingEvents() > 0 || requests.front();
    if (!rest.shouldRest(nowMs, busy, timing ? timing->sink_usec / 1000.0 : 0)) return;
    corked = true;
    setCorked(true);
    origin = PlaybackOrigin{};
    running.store(false, std::memory_order_relaxed);
    queueKnown = false;
    const auto measured = [](pa_stream*, int success, void* lane) {
        if (success) static_cast<Lane*>(lane)->queueKnown = true;
    };
    if (pa_operation* op = pa_stream_update_timing_info(stream, measured, this))
        pa_operation_unref(op);
}

// The resting stream holds silence the server has not played, its clock stopped at the first
// frame of it: that frame plays now, which gives the clock again at once, and the key is
// written over the silence after what the device mixes ahead (see LiveRest).
void PulseSoundDevice::Lane::wake() {
    int64_t from = written;
    const pa_timing_info* timing = queueKnown ? pa_stream_get_timing_info(stream) : nullptr;
    if (timing && !timing->read_index_corrupt && !timing->write_index_corrupt) {
        const uint32_t rate = owner.options_.rate;
        const int64_t playing = written - std::max<int64_t>(0, timing->write_index -
                                                                   timing->read_index) /
                                              static_cast<int64_t>(kFrameBytes);
        if (!origin.known()) origin.reading(owner.clock_.now(), playing * 1000.0 / rate);
        from = rest.wakeFrame(playing, written, timing->sink_usec / 1000.0,
                              owner.options_.liveLeadMs, rate);
    }
    from = timeline.rewind(from);
    drainRequests();
    rewrite(from);
    corked = false;
    setCorked(false);
}

void PulseSoundDevice::Lane::publish(double nowMs) {
    if (!origin.known()) return;
    originMs.store(origin.originMs(), std::memory_order_relaxed);
    const double ahead = written * 1000.0 / owner.options_.rate + origin.originMs() - nowMs;
    const double forgotten = (nowMs - lastPublishMs) * kAheadDecayPerSecond / 1000;
    aheadMs.store(std::max(ahead, aheadMs.load(std::memory_order_relaxed) - forgotten),
                  std::memory_order_relaxed);
    lastPublishMs = nowMs;
    if (nowMs - origin.agreedSinceMs() >= kSettleMs) running.store(true, std::memory_order_release);
}

// The server played the stream dry: ask it to hold more from now on. The placed stream waits
// until the calling thread allows it (see TimelineSoundDevice): tones placed at the old latency
// would land in frames already written.
void PulseSoundDevice::Lane::grow() {
    if (!running.load(std::memory_order_relaxed)) return; // the start of the stream
    underruns.fetch_add(1, std::memory_order_relaxed);
    if (bufferMs >= largestBufferMs || growthMs.load(std::memory_order_relaxed) > 0) return;
    growthMs.store(std::min(2 * bufferMs, largestBufferMs) - bufferMs, std::memory_order_relaxed);
    if (live) takeGrowth();
}

void PulseSoundDevice::Lane::takeGrowth() {
    bufferMs += growthMs.exchange(0, std::memory_order_relaxed);
    const pa_buffer_attr attr = bufferAttr();
    if (pa_operation* op = pa_stream_set_buffer_attr(stream, &attr, nullptr, nullptr))
        pa_operation_unref(op);
}

PulseSoundDevice::PulseSoundDevice(Clock& clock, Options options)
    : TimelineSoundDevice(clock, options.rate), options_(options) {
    placed_ =
        std::make_unique<Lane>(*this, options_.placedBufferMs, options_.largestPlacedBufferMs);
    runLatencyMs_ = options_.placedBufferMs + options_.marginMs;
    raiseCallerPriority();
    open_ = connect();
    if (!open_) close();
}

PulseSoundDevice::~PulseSoundDevice() {
    close();
}

void PulseSoundDevice::contextChanged(pa_context*, void* self) {
    pa_threaded_mainloop_signal(static_cast<PulseSoundDevice*>(self)->loop_, 0);
}

void PulseSoundDevice::streamChanged(pa_stream*, void* self) {
    pa_threaded_mainloop_signal(static_cast<PulseSoundDevice*>(self)->loop_, 0);
}

void PulseSoundDevice::writeRequested(pa_stream*, size_t bytes, void* lane) {
    static_cast<Lane*>(lane)->write(bytes);
}

void PulseSoundDevice::ranDry(pa_stream*, void* lane) {
    static_cast<Lane*>(lane)->grow();
}

namespace {

// Waits on the main loop (locked) until ready() or failed() holds, or the server is too slow.
template <typename Ready, typename Failed>
bool waitFor(pa_threaded_mainloop* loop, Ready ready, Failed failed) {
    const auto deadline = std::chrono::steady_clock::now() + kAnswerTimeout;
    while (!ready()) {
        if (failed() || std::chrono::steady_clock::now() > deadline) return false;
        pa_threaded_mainloop_unlock(loop);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        pa_threaded_mainloop_lock(loop);
    }
    return true;
}

} // namespace

bool PulseSoundDevice::connect() {
    loop_ = pa_threaded_mainloop_new();
    if (!loop_) return giveUp("no main loop"), false;
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Kelvatron");
    if (!context_) return giveUp("no context"), false;
    pa_context_set_state_callback(context_, &PulseSoundDevice::contextChanged, this);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        return giveUp(pa_strerror(pa_context_errno(context_))), false;
    if (pa_threaded_mainloop_start(loop_) < 0) return giveUp("main loop did not start"), false;
    pa_threaded_mainloop_lock(loop_);
    bool ok = waitFor(
        loop_, [&] { return pa_context_get_state(context_) == PA_CONTEXT_READY; },
        [&] { return !PA_CONTEXT_IS_GOOD(pa_context_get_state(context_)); });
    if (ok) ok = openStream(*placed_, "Kelvatron tones");
    if (ok && !options_.oneStream) {
        const bool rewinds = serverRewinds();
        live_ = std::make_unique<Lane>(
            *this, rewinds ? options_.liveBufferMs : options_.liveBufferMsWithoutRewrites,
            rewinds ? options_.largestLiveBufferMs : options_.largestLiveBufferMsWithoutRewrites);
        live_->live = true;
        live_->rewrites = rewinds;
        ok = openStream(*live_, "Kelvatron key");
    }
    pa_threaded_mainloop_unlock(loop_);
    if (!ok) giveUp(pa_strerror(pa_context_errno(context_)));
    return ok;
}

// PulseAudio takes back what its device has not yet played when a stream writes over it;
// PipeWire's server plays what it has already taken as it was.
bool PulseSoundDevice::serverRewinds() {
    struct Answer {
        bool given = false, rewinds = true;
    } answer;
    const auto told = [](pa_context*, const pa_server_info* info, void* out) {
        auto* a = static_cast<Answer*>(out);
        a->rewinds = !(info && info->server_name && std::strstr(info->server_name, "PipeWire"));
        a->given = true;
    };
    if (pa_operation* op = pa_context_get_server_info(context_, told, &answer)) {
        waitFor(loop_, [&] { return answer.given; }, [] { return false; });
        pa_operation_unref(op);
    }
    return answer.rewinds;
}

pa_stream* PulseSoundDevice::openStream(Lane& lane, const char* name) {
    const pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, options_.rate, 2};
    lane.stream = pa_stream_new(context_, name, &spec, nullptr);
    if (!lane.stream) return nullptr;
    pa_stream_set_state_callback(lane.stream, &PulseSoundDevice::streamChanged, this);
    pa_stream_set_write_callback(lane.stream, &PulseSoundDevice::writeRequested, &lane);
    pa_stream_set_underflow_callback(lane.stream, &PulseSoundDevice::ranDry, &lane);
    lane.wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (lane.wakeFd < 0) return nullptr;
    pa_mainloop_api* api = pa_threaded_mainloop_get_api(loop_);
    const auto woken = [](pa_mainloop_api*, pa_io_event*, int, pa_io_event_flags_t, void* self) {
        static_cast<Lane*>(self)->respond();
    };
    lane.wakeEvent = api->io_new(api, lane.wakeFd, PA_IO_EVENT_INPUT, woken, &lane);
    const pa_buffer_attr attr = lane.bufferAttr();
    const auto flags = static_cast<pa_stream_flags_t>(
        PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE | PA_STREAM_ADJUST_LATENCY);
    if (pa_stream_connect_playback(lane.stream, nullptr, &attr, flags, nullptr, nullptr) < 0)
        return nullptr;
    const bool ready = waitFor(
        loop_, [&] { return pa_stream_get_state(lane.stream) == PA_STREAM_READY; },
        [&] { return !PA_STREAM_IS_GOOD(pa_stream_get_state(lane.stream)); });
    return ready ? lane.stream : nullptr;
}

void PulseSoundDevice::close() {
    if (loop_) pa_threaded_mainloop_stop(loop_); // the writing thread has ended when this returns
    for (Lane* lane : {placed_.get(), live_.get()}) {
        if (!lane) continue;
        if (lane->stream) {
            pa_stream_disconnect(lane->stream);
            pa_stream_unref(lane->stream);
            lane->stream = nullptr;
        }
        if (lane->wakeEvent) {
            pa_mainloop_api* api = pa_threaded_mainloop_get_api(loop_);
            api->io_free(lane->wakeEvent);
            lane->wakeEvent = nullptr;
        }
        if (lane->wakeFd >= 0) ::close(lane->wakeFd);
        lane->wakeFd = -1;
        for (TimelineEvent event; lane->requests.pop(event);)
            returnHeld(event);
        lane->timeline.releaseAll();
    }
    freeFinished();
    if (context_) {
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
    if (loop_) {
        pa_threaded_mainloop_free(loop_);
        loop_ = nullptr;
    }
    open_ = false;
}

void PulseSoundDevice::giveUp(const std::string& why) {
    if (unavailableReason_.empty())
        unavailableReason_ = "No sound server (" + why + "); tones are silent.";
}

bool PulseSoundDevice::outputRunning() const {
    return placed_->running.load(std::memory_order_acquire);
}

double PulseSoundDevice::originMs() const {
    return placed_->originMs.load(std::memory_order_relaxed);
}

double PulseSoundDevice::writtenAheadMs() const {
    return placed_->aheadMs.load(std::memory_order_relaxed);
}

double PulseSoundDevice::aheadGrowthMs() const {
    if (placed_->growthAllowed.load(std::memory_order_relaxed)) return 0;
    return placed_->growthMs.load(std::memory_order_relaxed);
}

void PulseSoundDevice::allowGrowth() {
    placed_->growthAllowed.store(true, std::memory_order_release);
}

bool PulseSoundDevice::pushPlaced(const TimelineEvent& event) {
    // The live tone follows the volume too, at once.
    if (live_ && event.kind == TimelineEvent::Kind::Volume) {
        live_->volume.store(event.volume);
        if (!live_->volumeQueued.exchange(true) &&
            !live_->requests.push(TimelineEvent::setVolume(0, event.volume)))
            live_->volumeQueued.store(false);
    }
    return placed_->requests.push(event);
}

bool PulseSoundDevice::pushLive(const TimelineEvent& event) {
    Lane& lane = live_ ? *live_ : *placed_;
    if (!lane.requests.push(event)) return false;
    // The writing thread takes it at once, not at the server's next request.
    const uint64_t one = 1;
    [[maybe_unused]] const auto woke = ::write(lane.wakeFd, &one, sizeof one);
    return true;
}

// A new run of tones takes the latency the placed stream needs now: what the writer keeps
// ahead of the sound (more after an underrun, and the buffer may grow now) and the margin for a
// late caller.
void PulseSoundDevice::startingAfresh() {
    if (!outputRunning()) return;
    const double growth = aheadGrowthMs();
    runLatencyMs_ = std::ceil(writtenAheadMs() + growth) + options_.marginMs;
    if (growth > 0) allowGrowth();
}

std::string PulseSoundDevice::bufferSummary() const {
    if (!open_) return "no stream";
    std::string out;
    pa_threaded_mainloop_lock(loop_);
    for (const Lane* lane : {placed_.get(), live_.get()}) {
        if (!lane) continue;
        const pa_buffer_attr* attr = pa_stream_get_buffer_attr(lane->stream);
        pa_usec_t latency = 0;
        int negative = 0;
        pa_stream_get_latency(lane->stream, &latency, &negative);
        const double msPerByte = 1000.0 / (options_.rate * kFrameBytes);
        char line[160];
        std::snprintf(line, sizeof line, "%s%s: buffer %.1f ms, request %.1f ms, latency %.1f ms",
                      out.empty() ? "" : "; ", lane == placed_.get() ? "placed" : "live",
                      attr ? attr->tlength * msPerByte : 0, attr ? attr->minreq * msPerByte : 0,
                      negative ? 0.0 : latency / 1000.0);
        out += line;
    }
    pa_threaded_mainloop_unlock(loop_);
    return out;
}

uint32_t PulseSoundDevice::placedUnderruns() const {
    return placed_->underruns.load(std::memory_order_relaxed);
}

uint32_t PulseSoundDevice::liveUnderruns() const {
    return live_ ? live_->underruns.load(std::memory_order_relaxed) : 0;
}

} // namespace kelvatron
