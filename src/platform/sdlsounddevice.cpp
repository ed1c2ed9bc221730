#include "platform/sdlsounddevice.h"

#include "platform/realtimethread.h"

#include <SDL.h>
#include <pthread.h>
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iostream>
#include <memory>
#include <set>

namespace kelvatron {

namespace {

std::atomic<bool> failureReported{false};

// Test and recording drivers keep their pace by sleeping; only a real output needs the priority.
bool realOutput() {
    const char* driver = SDL_GetCurrentAudioDriver();
    return driver && std::strcmp(driver, "disk") != 0 && std::strcmp(driver, "dummy") != 0;
}

} // namespace

SdlSoundDevice::SdlSoundDevice(Clock& clock, Options options)
    : TimelineSoundDevice(clock, options.rate), options_(options), streamClock_(options.rate, 0),
      timeline_(options.rate, volume_, this) {
    // SIGINT and SIGTERM must end the program as usual, not become SDL quit events.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Kelvatron");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        giveUp(SDL_GetError());
        return;
    }
    subsystemUp_ = true;
    if (realOutput()) raiseCallerPriority();
    if (options_.blockFrames == 0)
        options_.blockFrames = realOutput() ? kOutputBlockFrames : kRecorderBlockFrames;
    open(options_.blockFrames);
}

SdlSoundDevice::~SdlSoundDevice() {
    close();
    if (subsystemUp_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlSoundDevice::open(uint16_t blockFrames) {
    SDL_AudioSpec want{};
    want.freq = static_cast<int>(options_.rate);
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = blockFrames;
    want.callback = &SdlSoundDevice::fillBlock;
    want.userdata = this;
    SDL_AudioSpec have{};
    const auto before = processThreadIds();
    // No changes allowed: SDL converts to whatever the hardware wants, so our timeline is in
    // frames of exactly this rate.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (!device_) {
        giveUp(SDL_GetError());
        return;
    }
    blockFrames_ = have.samples;
    streamClock_ = StreamClock(options_.rate, latencyMs());
    mixed_ = 0;
    starving_ = false;
    prioritySet_ = !realOutput();
    running_.store(false);
    restartPlacement();
    // The threads SDL and the sound server's client library have just started carry the
    // stream (the server's main loop and SDL's mixing thread): both must wake at once.
    if (realOutput())
        for (long id : processThreadIds())
            if (!before.contains(id)) makeRealtime(id);
    SDL_PauseAudioDevice(device_, 0);
}

void SdlSoundDevice::close() {
    if (!device_) return;
    SDL_CloseAudioDevice(device_); // the sound thread has ended when this returns
    device_ = 0;
    for (TimelineEvent event; requests_.pop(event);)
        returnHeld(event);
    timeline_.releaseAll();
    freeFinished();
}

void SdlSoundDevice::giveUp(const std::string& why) {
    unavailableReason_ = "No sound output (" + why + "); tones are silent.";
    if (!failureReported.exchange(true)) std::cerr << "Kelvatron: " << unavailableReason_ << '\n';
    if (subsystemUp_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    subsystemUp_ = false;
}

void SDLCALL SdlSoundDevice::fillBlock(void* self, Uint8* stream, int length) {
    static_cast<SdlSoundDevice*>(self)->mixBlock(reinterpret_cast<float*>(stream),
                                                 length / static_cast<int>(2 * sizeof(float)));
}

void SdlSoundDevice::mixBlock(float* out, int frames) {
    if (!prioritySet_) {
        makeRealtime(::gettid());
        prioritySet_ = true;
    }
    const double now = clock_.now();
    streamClock_.blockStarted(mixed_, now);
    if (streamClock_.running()) {
        originMs_.store(streamClock_.originMs(), std::memory_order_relaxed);
        running_.store(true, std::memory_order_release);
        noticeUnderrun(now);
    }
    while (!timeline_.full()) {
        const TimelineEvent* event = requests_.front();
        if (!event) break;
        TimelineEvent taken = *event;
        // A key edge sounds a placement latency after its moment, as a placed tone does.
        if (streamClock_.running())
            taken.placeKey(streamClock_.originMs(), placementLatencyMs(), options_.rate);
        timeline_.add(taken);
        requests_.pop();
    }
    timeline_.mix(out, frames, mixed_);
    mixed_ += frames;
}

// The server holds about one block. A block asked for more than two blocks' time after it was
// due means the server had nothing left to play: the listener heard a gap.
void SdlSoundDevice::noticeUnderrun(double wallMs) {
    const double blockMs = blockFrames_ * 1000.0 / options_.rate;
    const double lateMs = wallMs - mixed_ * 1000.0 / options_.rate - streamClock_.originMs();
    if (lateMs > 2 * blockMs && !starving_) underruns_.fetch_add(1, std::memory_order_relaxed);
    starving_ = lateMs > blockMs;
}

// A stream that ran dry gets a longer block, but only between runs of tones: reopening cuts
// the stream, so it waits until the program starts afresh.
void SdlSoundDevice::growIfStarved() {
    const uint32_t seen = underruns();
    if (seen == underrunsSeen_ || !device_ || blockFrames_ >= options_.largestBlockFrames) return;
    underrunsSeen_ = seen;
    const auto larger =
        static_cast<uint16_t>(std::min<int>(blockFrames_ * 2, options_.largestBlockFrames));
    std::cerr << "Kelvatron: the sound stream ran dry; block grows to " << larger << " frames\n";
    close();
    underruns_.store(0);
    underrunsSeen_ = 0;
    open(larger);
}

} // namespace kelvatron
