#include "audio/timelinedevice.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "audio/resampler.h"
#include "audio/streamclock.h"
#include "audio/waveimage.h"

namespace kelvatron {

void TimelineSoundDevice::freeFinished() {
    for (const ToneSamples* tone; finished_.pop(tone); --tonesOut_)
        delete tone;
    for (SignalChain* chain; finishedChains_.pop(chain); --chainsOut_)
        delete chain;
}

bool TimelineSoundDevice::send(const TimelineEvent& event, bool live) {
    freeFinished();
    const bool refused = (event.tone && tonesOut_ == kSlots) ||
                         !(live ? pushLive(event) : pushPlaced(event));
    if (refused) {
        // Too many out, or the sound thread has stopped taking requests: the request is lost,
        // not queued forever.
        delete event.tone;
        delete event.chain;
        return false;
    }
    if (event.tone) ++tonesOut_;
    if (event.chain) ++chainsOut_;
    return true;
}

// The output's estimate as this run follows it: its slow drift, but not a jump (the device
// stalled, or its clock settled), which would move the rest of the run against its start. The
// next run starts from the jumped estimate.
double TimelineSoundDevice::runOrigin() {
    const double origin = originMs();
    if (!runOriginKnown_ || std::fabs(origin - runOriginMs_) <= kOriginJumpMs)
        runOriginMs_ = origin;
    runOriginKnown_ = true;
    return runOriginMs_;
}

double TimelineSoundDevice::scheduledNow() {
    if (clock_.now() - clock_.logicalNow() > marginMs()) {
        clock_.catchUp();
        carryMs_ = 0;
        runOriginKnown_ = false;
        promptRun_.known = unsettledRun_.known = false;
        newPlacedRun();
        startingAfresh();
    }
    return clock_.logicalNow() + carryMs_;
}

int64_t TimelineSoundDevice::schedule(TimelineEvent event, double wallMs) {
    lastRun_ = nullptr;
    if (promptTones_) return scheduleOnRun(promptRun_, event, wallMs, kPromptLeadMs, true);
    // A run that began before the output's clock was known keeps its own start to its end: the
    // listener hears it a latency later than the schedule says, but evenly. The output may mix
    // a few blocks in a burst as it settles, so the lead is the whole latency, not the margin.
    if (unsettledRun_.known || (!outputRunning() && !runOriginKnown_))
        return scheduleOnRun(unsettledRun_, event, wallMs, placementLatencyMs(), false);
    return schedulePlaced(event, wallMs);
}

// The run's first change fixes its start on the stream, a lead after what the sound thread has
// mixed; the rest keep their distance from it on the schedule, never into a synchronous tone.
int64_t TimelineSoundDevice::scheduleOnRun(AnchoredRun& run, TimelineEvent event, double wallMs,
                                           double leadMs, bool live) {
    lastRun_ = &run;
    if (!run.known) {
        run = {true, wallMs, 0, 0};
        event.origin = TimelineEvent::Origin::NewRun;
        event.position = std::llround(leadMs * rate_ / 1000.0);
        send(event, live);
        return 0;
    }
    const auto at = static_cast<int64_t>(std::llround((wallMs - run.startMs) * rate_ / 1000.0));
    run.last = std::max({run.last, run.syncEnd, at});
    event.origin = TimelineEvent::Origin::Run;
    event.position = run.last;
    send(event, live);
    return run.last;
}

// The rest of the run moves later by one step when this change would land in frames already
// written, or, at a silence between signs, when the output's lead has eaten half the margin.
double TimelineSoundDevice::runLatency(double wallMs) {
    const double latency = placementLatencyMs() + runShiftMs_;
    const double growth = aheadGrowthMs();
    const double ahead = writtenAheadMs() + kWrittenGuardMs;
    const double silence = toneEndMs_ < 0 ? -1 : wallMs - toneEndMs_;
    const bool betweenSigns = shortestSilenceMs_ > 0 && silence >= 2 * shortestSilenceMs_;
    if (silence > 0.5 && (shortestSilenceMs_ < 0 || silence < shortestSilenceMs_))
        shortestSilenceMs_ = silence;
    const double needed = clock_.now() - wallMs + ahead;
    if (needed > latency || (betweenSigns && ahead + growth + marginMs() / 2 > latency)) {
        runShiftMs_ =
            std::ceil(std::max(needed, ahead + growth + marginMs())) - placementLatencyMs();
        if (growth > 0) allowGrowth();
    }
    return placementLatencyMs() + runShiftMs_;
}

int64_t TimelineSoundDevice::schedulePlaced(TimelineEvent event, double wallMs) {
    int64_t at = 0;
    if (outputRunning()) {
        // Tones placed before the output ran went "at once": the first placed one starts a run.
        if (!placedOnRunning_) {
            newPlacedRun();
            startingAfresh();
        }
        placedOnRunning_ = true;
        at = StreamClock::placement(wallMs, runLatency(wallMs), runOrigin(), rate_);
    }
    // Never before an earlier request, even if the clock estimate has moved back a little, and
    // never into a synchronous tone: its caller has waited for all of it.
    lastPosition_ = std::max({lastPosition_, syncEnd_, at});
    event.position = lastPosition_;
    send(event, false);
    return lastPosition_;
}

void TimelineSoundDevice::playSound(std::span<const uint8_t> waveImage, uint32_t flags) {
    // The request's moment is its place on the schedule: neither a late wake nor preparing the
    // samples lengthens the silence before it.
    const double placedAt = scheduledNow();
    auto wave = parseWaveImage(waveImage);
    if (!wave) {
        stopSound();
        return;
    }
    const bool async = (flags & (SND_ASYNC | SND_LOOP)) != 0;
    if (!outputOpen()) {
        if (!async)
            clock_.sleep(
                static_cast<int32_t>(std::llround(wave->frameCount() * 1000.0 / wave->sampleRate)));
        return;
    }
    auto tone = std::make_unique<ToneSamples>(resampleToMono(*wave, rate_));
    const auto frames = static_cast<int64_t>(tone->size());
    const int64_t at =
        schedule(TimelineEvent::start(0, tone.release(), (flags & SND_LOOP) != 0,
                                      (flags & SND_DRY) != 0),
                 placedAt);
    if (async) return;
    toneEndMs_ = placedAt + frames * 1000.0 / rate_;
    // Placed "at once" before the stream runs, its end is not known on the timeline.
    if (lastRun_)
        lastRun_->syncEnd = at + frames;
    else if (at > 0)
        syncEnd_ = at + frames;
    // The tone's length on the schedule, in whole milliseconds of the clock's waits; the
    // fraction is carried into the next request's moment.
    const double owedMs = frames * 1000.0 / rate_ + carryMs_;
    const double wholeMs = std::floor(owedMs);
    carryMs_ = owedMs - wholeMs;
    clock_.sleep(static_cast<int32_t>(wholeMs));
}

void TimelineSoundDevice::stopSound() {
    if (outputOpen()) schedule(TimelineEvent::stop(0), scheduledNow());
}

// The output passes a volume on to the live tone at once, so it goes on the placed schedule
// even between prompt tones.
void TimelineSoundDevice::setVolume(uint32_t volume) {
    volume_ = volume;
    if (outputOpen()) schedulePlaced(TimelineEvent::setVolume(0, volume), scheduledNow());
}

void TimelineSoundDevice::keyDown(int32_t frequency, TTGWave waveform) {
    if (outputOpen()) send(TimelineEvent::keyDown(frequency, waveform), true);
}

void TimelineSoundDevice::keyUp() {
    if (outputOpen()) send(TimelineEvent::keyUp(), true);
}

void TimelineSoundDevice::keyDownAt(int32_t frequency, TTGWave waveform, double atMs) {
    if (outputOpen()) send(TimelineEvent::keyDown(frequency, waveform, atMs), true);
}

void TimelineSoundDevice::keyUpAt(double atMs) {
    if (outputOpen()) send(TimelineEvent::keyUp(atMs), true);
}

// Every chain handed over comes back once it is replaced, so no more are out than the queue
// that brings them back holds. A stream opened again gets the chain from the same maker.
bool TimelineSoundDevice::setChain(const SignalChainMaker& make, uint32_t seed) {
    freeFinished();
    if (!outputOpen() || chainsOut_ + 2 > kChainSlots) return false;
    chainMaker_ = make;
    chainSeed_ = seed;
    schedulePlaced(TimelineEvent::swapChain(0, make(rate_, seed, ChainStream::Placed).release()),
                   scheduledNow());
    if (separateLiveStream())
        send(TimelineEvent::swapChain(0, make(rate_, seed, ChainStream::Live).release()), true);
    return true;
}

void TimelineSoundDevice::restoreChain() {
    if (chainMaker_ && outputOpen())
        send(TimelineEvent::swapChain(
                 0, chainMaker_(rate_, chainSeed_, ChainStream::Placed).release()),
             false);
}

// Prompt tones on and off again start a new run; on while on keeps the run going.
bool TimelineSoundDevice::setPromptTones(bool on) {
    const bool before = promptTones_;
    if (on != promptTones_) promptRun_.known = false;
    promptTones_ = on;
    return before;
}

} // namespace kelvatron
