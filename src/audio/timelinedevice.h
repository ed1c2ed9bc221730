#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

#include "audio/spscqueue.h"
#include "audio/tonetimeline.h"
#include "core/clock.h"
#include "tonegen/sounddevice.h"

namespace kelvatron {

// The calling side of a sound device whose sound thread mixes a ToneTimeline: every tone is
// placed at the stream frame that corresponds to its moment on the program's own schedule (the
// clock's logical time) plus the output's placement latency. So the silences between tones are
// as long as the waits that made them, however late the waiting thread woke, and every tone
// lasts exactly as many samples as its image holds. A program that fell behind by more than the
// latency's margin (a long pause, a blocked window) starts afresh from now.
//
// A change is never placed in frames the output has already written (it would sound late and
// cut into the tone after it): when the output has come to write further ahead during a run
// (its buffer grew after it ran dry), or the caller is so late that its change would land
// there, the rest of the run moves later by one constant step, so its rhythm holds and one
// silence grows. Where the margin has only shrunk, or the output waits to write further ahead,
// the step waits for a silence between signs (twice the run's shortest), so that the signs
// themselves keep their shape.
//
// A synchronous play returns when the tone's length has passed on the schedule (the listener
// hears it one latency later); a stop or a volume change is placed the same way. The hand's live
// tone (keyDown/keyUp) skips the latency: the output sounds it from the first frame it has not
// written yet, or, for an edge that carries its moment (keyDownAt/keyUpAt), a short fixed delay
// after that moment (TimelineEvent::placeKey), the same for every edge. So do prompt tones
// (setPromptTones): they go to the live tone's output as a run whose first change the sound
// thread places at its first free frame, the rest kept at their distance on the schedule from
// that one.
//
// Requests reach the sound thread through the output's queues of preallocated slots; the tones
// and signal chains it has finished with come back through finished() and chainFinished() to be
// freed on this side, so the sound thread neither allocates nor frees. An output that is not open plays nothing, but a
// synchronous play still takes the tone's length on the clock.
class TimelineSoundDevice : public SoundDevice, protected ToneReturn {
public:
    explicit TimelineSoundDevice(Clock& clock, uint32_t rate) : clock_(clock), rate_(rate) {}

    void playSound(std::span<const uint8_t> waveImage, uint32_t flags) override;
    void stopSound() override;
    bool hasLeftRightVolume() override { return true; }
    uint32_t getVolume() override { return volume_; }
    void setVolume(uint32_t volume) override;
    void keyDown(int32_t frequency, TTGWave waveform) override;
    void keyUp() override;
    void keyDownAt(int32_t frequency, TTGWave waveform, double atMs) override;
    void keyUpAt(double atMs) override;
    bool setPromptTones(bool on) override;
    // The stages the sound passes from now on, from the frame a tone played now would start at:
    // `make` builds the chain of each of the output's streams (one for the live tone too where
    // it has its own) on this thread, from `seed`. False when the output is closed or too many
    // changes of chain are still on their way.
    bool setChain(const SignalChainMaker& make, uint32_t seed = 0);

    uint32_t rate() const { return rate_; }
    uint32_t placedRate() const override { return rate_; }
    // Whether the output has settled into its pace, so that tones land exactly where placed.
    // A run of tones that starts before then (the first second after opening) is placed from
    // its own first frame instead, a latency after what the sound thread has mixed.
    bool streamRunning() const { return outputRunning(); }
    // From a tone's moment on the schedule to its first sample sounding, for the current run.
    double latencyMs() const { return placementLatencyMs() + runShiftMs_; }

    static constexpr size_t kSlots = 1024;
    static constexpr size_t kChainSlots = 8;
    // How late the program's thread may wake within a prompt run without a tone starting late.
    static constexpr double kPromptLeadMs = 5;
    // A change of the output's clock estimate larger than this is a jump, not drift.
    static constexpr double kOriginJumpMs = 2;
    // Rounding of frames and of the output's published lead, kept clear of written frames.
    static constexpr double kWrittenGuardMs = 1;

protected:
    // The output's side.
    virtual bool outputOpen() const = 0;
    // Whether the wall-to-stream mapping is known; until then a tone starts at once.
    virtual bool outputRunning() const = 0;
    // Wall time at which stream frame 0 sounds, as the sound thread last estimated it.
    virtual double originMs() const = 0;
    // From a moment on the schedule to the sound of its first frame.
    virtual double placementLatencyMs() const = 0;
    // How far behind its schedule the program may fall before it starts afresh.
    virtual double marginMs() const = 0;
    // How far ahead of the sound the output has written lately: a change placed sooner than
    // that after now would land in frames already written.
    virtual double writtenAheadMs() const { return 0; }
    // How much further ahead the output is to write (its buffer is to grow after it ran dry):
    // it waits for allowGrowth(), which a run calls once it has moved on past that.
    virtual double aheadGrowthMs() const { return 0; }
    virtual void allowGrowth() {}
    // Hands a request to the sound thread: placed events to the placed tones' stream, key events
    // to the live one. False when its queue is full.
    virtual bool pushPlaced(const TimelineEvent& event) = 0;
    virtual bool pushLive(const TimelineEvent& event) = 0;
    // The program starts afresh: the output may change its latency now, between runs of tones.
    virtual void startingAfresh() {}
    // Whether the hand's live tone has a stream (and so a chain) of its own.
    virtual bool separateLiveStream() const { return false; }

    // The sound thread hands back a tone here (never full: no more tones are out than slots).
    void finished(const ToneSamples* tone) override { finished_.push(tone); }
    void chainFinished(SignalChain* chain) override { finishedChains_.push(chain); }
    // With the sound thread stopped: hands back what a request not taken holds.
    void returnHeld(const TimelineEvent& event) {
        if (event.tone) finished(event.tone);
        if (event.chain) chainFinished(event.chain);
    }
    // Frees the tones the sound thread gave back; with the sound thread stopped, also those
    // it never took.
    void freeFinished();
    // The sound thread has stopped for good, or the stream is reopened: placement starts again
    // from the stream's frame 0.
    void restartPlacement() {
        lastPosition_ = syncEnd_ = 0;
        placedOnRunning_ = false;
        runOriginKnown_ = false;
        promptRun_.known = unsettledRun_.known = false;
        newPlacedRun();
        restoreChain();
    }

    Clock& clock_;
    uint32_t volume_ = 0xFFFFFFFFu;

private:
    // The moment on the schedule at which a request made now belongs.
    double scheduledNow();
    // A run of tones placed from its own first frame rather than from the output's clock.
    struct AnchoredRun {
        bool known = false;
        double startMs = 0; // the schedule's moment of the run's first frame
        int64_t last = 0, syncEnd = 0;
    };

    // Places the event at the frame for wallMs; returns that frame (on a run's own frames when
    // lastRun_ says which).
    int64_t schedule(TimelineEvent event, double wallMs);
    int64_t schedulePlaced(TimelineEvent event, double wallMs);
    int64_t scheduleOnRun(AnchoredRun& run, TimelineEvent event, double wallMs, double leadMs,
                          bool live);
    bool send(const TimelineEvent& event, bool live);
    double runOrigin();
    void restoreChain();
    // The placement latency of this run, moved on when its changes would land in written frames.
    double runLatency(double wallMs);
    void newPlacedRun() { runShiftMs_ = 0, shortestSilenceMs_ = -1, toneEndMs_ = -1; }

    uint32_t rate_;
    int64_t lastPosition_ = 0;
    int64_t syncEnd_ = 0; // the frame after the last synchronous tone
    double carryMs_ = 0;  // fractions of a millisecond of tone lengths not yet slept
    size_t tonesOut_ = 0; // tones handed to the sound thread and not yet back
    size_t chainsOut_ = 0; // and chains (those in force too)
    bool placedOnRunning_ = false;
    bool runOriginKnown_ = false;
    double runOriginMs_ = 0;
    double runShiftMs_ = 0;         // added to the output's latency for the rest of this run
    double toneEndMs_ = -1;         // the schedule's moment the last synchronous tone ended
    double shortestSilenceMs_ = -1; // between this run's tones so far
    bool promptTones_ = false;
    AnchoredRun promptRun_;    // tones that answer a key, on the live output
    AnchoredRun unsettledRun_; // a run that began before the output's clock was known
    AnchoredRun* lastRun_ = nullptr;
    SpscQueue<const ToneSamples*, kSlots> finished_;
    SpscQueue<SignalChain*, kChainSlots> finishedChains_;
    SignalChainMaker chainMaker_;
    uint32_t chainSeed_ = 0;
};

} // namespace kelvatron
