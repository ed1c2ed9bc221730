#include "platform/pipewiresounddevice.h"

#include <pipewire/pipewire.h>
#include <spa/param/audio/format-utils.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/realtimethread.h"

namespace kelvatron {

namespace {

constexpr uint32_t kStereoFrameBytes = 2 * sizeof(float);
constexpr auto kDaemonAnswerTimeout = std::chrono::seconds(2);

double pipeWireMonotonicMs() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now); // vDSO: no system call
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

} // namespace

struct PipeWireListener {
    spa_hook hook{};
    pw_stream_events events{};
};

PipeWireSoundDevice::PipeWireSoundDevice(Clock& clock, Options options)
    : TimelineSoundDevice(clock, options.rate), options_(options),
      mixer_(options.rate, volume_, static_cast<ToneReturn*>(this), options.keyDelayMs) {
    raiseCallerPriority();
    startingAfresh();
    open_ = connect();
    if (!open_) {
        close();
        unavailableReason_ = "No PipeWire daemon answered with an output; tones are silent.";
    }
}

PipeWireSoundDevice::~PipeWireSoundDevice() {
    close();
}

bool PipeWireSoundDevice::connect() {
    pw_init(nullptr, nullptr);
    loop_ = pw_thread_loop_new("kelvatron-pw", nullptr);
    if (!loop_) return false;
    // client-rt.conf loads the module that lifts the stream's data thread to real-time
    // priority (through RealtimeKit where the user has no limit of its own).
    context_ = pw_context_new(pw_thread_loop_get_loop(loop_),
                              pw_properties_new(PW_KEY_CONFIG_NAME, "client-rt.conf", nullptr), 0);
    if (!context_) return false;
    if (pw_thread_loop_start(loop_) < 0) return false;
    pw_thread_loop_lock(loop_);
    core_ = pw_context_connect(context_, nullptr, 0);
    if (!core_) {
        pw_thread_loop_unlock(loop_);
        return false;
    }
    char latency[32];
    std::snprintf(latency, sizeof latency, "%u/%u", options_.quantum, options_.rate);
    pw_properties* props = pw_properties_new(
        PW_KEY_MEDIA_TYPE, "Audio", PW_KEY_MEDIA_CATEGORY, "Playback", PW_KEY_MEDIA_ROLE,
        "Game", PW_KEY_APP_NAME, "Kelvatron", PW_KEY_NODE_NAME, "kelvatron",
        PW_KEY_NODE_LATENCY, latency, nullptr);
    stream_ = pw_stream_new(core_, "Kelvatron", props);
    if (!stream_) {
        pw_thread_loop_unlock(loop_);
        return false;
    }
    listener_ = std::make_unique<PipeWireListener>();
    listener_->events.version = PW_VERSION_STREAM_EVENTS;
    listener_->events.process = &PipeWireSoundDevice::process;
    listener_->events.state_changed = [](void* self, pw_stream_state old, pw_stream_state state,
                                         const char* error) {
        stateChanged(self, old, state, error);
    };
    pw_stream_add_listener(stream_, &listener_->hook, &listener_->events, this);

    uint8_t buffer[1024];
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(buffer, sizeof buffer);
    spa_audio_info_raw info{};
    info.format = SPA_AUDIO_FORMAT_F32;
    info.rate = options_.rate;
    info.channels = 2;
    info.position[0] = SPA_AUDIO_CHANNEL_FL;
    info.position[1] = SPA_AUDIO_CHANNEL_FR;
    const spa_pod* params[1] = {spa_format_audio_raw_build(&builder, SPA_PARAM_EnumFormat, &info)};
    const auto flags = static_cast<pw_stream_flags>(
        PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS | PW_STREAM_FLAG_RT_PROCESS);
    int result = pw_stream_connect(stream_, PW_DIRECTION_OUTPUT, PW_ID_ANY, flags, params, 1);
    pw_thread_loop_unlock(loop_);
    if (result < 0) return false;
    const auto deadline = std::chrono::steady_clock::now() + kDaemonAnswerTimeout;
    while (state_.load() != PW_STREAM_STATE_STREAMING) {
        if (state_.load() == PW_STREAM_STATE_ERROR ||
            std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void PipeWireSoundDevice::stateChanged(void* self, int, int state, const char*) {
    static_cast<PipeWireSoundDevice*>(self)->state_.store(state);
}

// The daemon's real-time cycle: where the stream plays now, the requests that came, and the
// next cycle's frames.
void PipeWireSoundDevice::process(void* data) {
    auto& self = *static_cast<PipeWireSoundDevice*>(data);
    pw_buffer* b = pw_stream_dequeue_buffer(self.stream_);
    if (!b) {
        self.missed_.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    spa_data& d = b->buffer->datas[0];
    if (!d.data) {
        pw_stream_queue_buffer(self.stream_, b);
        return;
    }
    uint32_t frames = d.maxsize / kStereoFrameBytes;
    if (b->requested > 0) frames = std::min<uint32_t>(frames, static_cast<uint32_t>(b->requested));
    double playing = -1;
    pw_time time{};
    const double nowMs = self.clock_.now();
    double startedLateMs = 0; // how long after its moment the daemon began this cycle
    if (pw_stream_get_time_n(self.stream_, &time, sizeof time) == 0 && time.rate.denom > 0 &&
        time.now > 0) {
        // The next frame written sounds after the device's delay and what the stream still
        // queues; the reading was taken at time.now, a little before this moment.
        const double delay = static_cast<double>(time.delay) * time.rate.num *
                             self.options_.rate / time.rate.denom;
        const double ahead = delay + static_cast<double>(time.queued) / kStereoFrameBytes +
                             static_cast<double>(time.buffered);
        const double sinceMs = pipeWireMonotonicMs() - time.now / 1e6;
        playing = static_cast<double>(self.mixer_.written()) - ahead +
                  sinceMs * self.options_.rate / 1000;
        self.delayFrames_.store(static_cast<int64_t>(ahead), std::memory_order_relaxed);
        startedLateMs = sinceMs;
    }
    self.noteLateCycle(nowMs, frames, startedLateMs);
    self.mixer_.cycle(static_cast<float*>(d.data), static_cast<int>(frames), nowMs, playing);
    d.chunk->offset = 0;
    d.chunk->stride = kStereoFrameBytes;
    d.chunk->size = frames * kStereoFrameBytes;
    pw_stream_queue_buffer(self.stream_, b);
}

// A cycle is late when it began a whole cycle after its moment (a timer-driven daemon dates each
// cycle by its schedule), or came two cycles after the one before (a daemon that dates it by its
// wake).
void PipeWireSoundDevice::noteLateCycle(double nowMs, uint32_t frames, double startedLateMs) {
    const double cycleMs = frames * 1000.0 / options_.rate;
    const bool late = startedLateMs >= cycleMs ||
                      (lastCycleFrames_ > 0 &&
                       nowMs - lastCycleMs_ >= 2.0 * lastCycleFrames_ * 1000 / options_.rate);
    if (late) {
        lateCycles_.fetch_add(1, std::memory_order_relaxed);
        lateCycleTimes_.push(nowMs);
    }
    lastCycleMs_ = nowMs;
    lastCycleFrames_ = frames;
}

void PipeWireSoundDevice::close() {
    if (loop_) pw_thread_loop_stop(loop_); // the stream's cycle has ended when this returns
    if (stream_) {
        pw_stream_destroy(stream_);
        stream_ = nullptr;
    }
    if (core_) {
        pw_core_disconnect(core_);
        core_ = nullptr;
    }
    if (context_) {
        pw_context_destroy(context_);
        context_ = nullptr;
    }
    if (loop_) {
        pw_thread_loop_destroy(loop_);
        loop_ = nullptr;
    }
    listener_.reset();
    mixer_.releaseAll();
    freeFinished();
    open_ = false;
}

double PipeWireSoundDevice::writtenAheadMs() const {
    return mixer_.aheadFrames() * 1000.0 / options_.rate;
}

// A new run of tones takes the latency the stream needs now: what it mixes ahead of the sound
// (a cycle or two and the device's delay) and the margin; a run keeps its latency to its end.
void PipeWireSoundDevice::startingAfresh() {
    const double quanta = 3.0 * options_.quantum * 1000 / options_.rate;
    runLatencyMs_ = std::ceil(std::max(writtenAheadMs(), quanta)) + options_.marginMs;
}

std::string PipeWireSoundDevice::bufferSummary() const {
    char line[200];
    const uint32_t cycle = mixer_.lastCycleFrames();
    std::snprintf(line, sizeof line,
                  "PipeWire stream: node.latency %u/%u, quantum %u frames (%.2f ms), "
                  "delay %.2f ms, %u cycles a whole cycle late",
                  options_.quantum, options_.rate, cycle, cycle * 1000.0 / options_.rate,
                  delayFrames_.load() * 1000.0 / options_.rate, lateCycles());
    return line;
}

} // namespace kelvatron
