#include "support/monitorrecorder.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace kelvatron::test {

namespace {

double steadyMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// Waits on the locked main loop until ready() holds, or 2 s.
template <typename Ready>
bool waitFor(pa_threaded_mainloop* loop, Ready ready) {
    const double deadline = steadyMs() + 2000;
    while (!ready()) {
        if (steadyMs() > deadline) return false;
        pa_threaded_mainloop_unlock(loop);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        pa_threaded_mainloop_lock(loop);
    }
    return true;
}

} // namespace

MonitorRecorder::MonitorRecorder(double fragmentMs) {
    samples_.reserve(kRate * 60);
    loop_ = pa_threaded_mainloop_new();
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Kelvatron monitor recorder");
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        pa_threaded_mainloop_start(loop_) < 0) {
        error_ = "no sound server";
        return;
    }
    pa_threaded_mainloop_lock(loop_);
    bool ok = waitFor(loop_, [&] {
        const auto state = pa_context_get_state(context_);
        return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
    }) && pa_context_get_state(context_) == PA_CONTEXT_READY;
    if (ok) {
        const pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, kRate, 1};
        stream_ = pa_stream_new(context_, "monitor", &spec, nullptr);
        pa_stream_set_read_callback(stream_, &MonitorRecorder::arrived, this);
        pa_stream_set_overflow_callback(
            stream_, [](pa_stream*, void* self) { ++static_cast<MonitorRecorder*>(self)->overflows_; },
            this);
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<uint32_t>(-1);
        attr.fragsize = static_cast<uint32_t>(std::lround(fragmentMs * kRate / 1000)) * sizeof(float);
        ok = pa_stream_connect_record(stream_, "@DEFAULT_MONITOR@", &attr,
                                      PA_STREAM_ADJUST_LATENCY) == 0 &&
             waitFor(loop_, [&] {
                 const auto state = pa_stream_get_state(stream_);
                 return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
             }) && pa_stream_get_state(stream_) == PA_STREAM_READY;
    }
    if (!ok) error_ = std::string("the monitor cannot be recorded: ") +
                      pa_strerror(pa_context_errno(context_));
    pa_threaded_mainloop_unlock(loop_);
    // An idle null sink has mixed up to 2 s ahead: the recording starts once the sink's time
    // has caught up with that, and runs at the new latency a little later.
    const double deadline = steadyMs() + 3000;
    while (ok && frames() == 0 && steadyMs() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (ok && frames() == 0) error_ = "the monitor sent nothing for 3 s";
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

MonitorRecorder::~MonitorRecorder() {
    if (loop_) pa_threaded_mainloop_stop(loop_);
    if (stream_) {
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
    }
    if (context_) {
        pa_context_disconnect(context_);
        pa_context_unref(context_);
    }
    if (loop_) pa_threaded_mainloop_free(loop_);
}

void MonitorRecorder::arrived(pa_stream* stream, size_t, void* self) {
    auto& recorder = *static_cast<MonitorRecorder*>(self);
    const void* data = nullptr;
    size_t bytes = 0;
    while (pa_stream_readable_size(stream) > 0 && pa_stream_peek(stream, &data, &bytes) == 0) {
        if (bytes == 0) break;
        const double now = steadyMs();
        {
            std::lock_guard lock(recorder.mutex_);
            const size_t n = bytes / sizeof(float);
            if (data) {
                const auto* in = static_cast<const float*>(data);
                recorder.samples_.insert(recorder.samples_.end(), in, in + n);
            } else {
                recorder.samples_.resize(recorder.samples_.size() + n, 0.0f); // a hole
            }
            const double offset = now - recorder.samples_.size() * 1000.0 / kRate;
            recorder.offsetMs_ = std::min(recorder.offsetMs_, offset);
        }
        pa_stream_drop(stream);
    }
}

int64_t MonitorRecorder::frames() const {
    std::lock_guard lock(mutex_);
    return static_cast<int64_t>(samples_.size());
}

double MonitorRecorder::wallMs(int64_t frame) const {
    std::lock_guard lock(mutex_);
    return offsetMs_ + frame * 1000.0 / kRate;
}

void MonitorRecorder::catchUp() const {
    const double now = steadyMs();
    const double deadline = now + 2000;
    while (wallMs(frames()) < now && steadyMs() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

std::vector<MonitorRecorder::Tone> MonitorRecorder::tones(int64_t from) const {
    std::lock_guard lock(mutex_);
    constexpr float kThreshold = 1e-3f;
    constexpr int64_t kSilenceEndsTone = kRate / 500;
    std::vector<Tone> found;
    const auto size = static_cast<int64_t>(samples_.size());
    // Measures a run of sound at half its level, so that smooth edges add nothing to its length.
    const auto measure = [&](int64_t a, int64_t b) {
        float level = 0;
        for (int64_t i = a; i < b; ++i) level = std::max(level, std::fabs(samples_[i]));
        int64_t first = a, last = b - 1;
        while (std::fabs(samples_[first]) < level / 2) ++first;
        while (std::fabs(samples_[last]) < level / 2) --last;
        found.push_back({first, last + 1});
    };
    int64_t start = -1, quiet = 0;
    for (int64_t i = from; i < size; ++i) {
        if (std::fabs(samples_[i]) > kThreshold) {
            if (start < 0) start = i;
            quiet = 0;
        } else if (start >= 0 && ++quiet > kSilenceEndsTone) {
            measure(start, i - quiet + 1);
            start = -1;
        }
    }
    if (start >= 0) measure(start, size);
    return found;
}

} // namespace kelvatron::test
