#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "audio/playbackorigin.h"
#include "audio/spscqueue.h"
#include "audio/timelinedevice.h"
#include "audio/tonetimeline.h"

struct pa_threaded_mainloop;
struct pa_context;
struct pa_stream;

namespace kelvatron {

// The sound card through a PulseAudio server (or PipeWire's): the output wherever a server
// answers. Two float stereo streams stay open for the program's life, both written ahead by the
// client library's main-loop thread as the server asks for more:
//
// - the placed tones' stream holds enough that a late writer never leaves the server empty.
//   It keeps playing through an underrun, so its frames stay tied to the device's clock, and
//   tones are placed on it at their moment on the schedule plus its latency (what the server
//   holds plus a margin for a late caller), as TimelineSoundDevice does;
// - the live stream holds only a few milliseconds, for the hand's key: a key-down is mixed
//   into the next write and sounds that much later.
//
// A stream that runs dry asks the server for a longer buffer; the placed stream's latency grows
// with it at the next run of tones that starts afresh. The writing thread runs at real-time
// priority where the system allows; it takes no lock of ours and neither allocates nor frees.
class PulseSoundDevice : public TimelineSoundDevice {
public:
    struct Options {
        uint32_t rate = 48000;
        // What the server is asked to hold for the placed tones, and for the hand's live tone.
        // Beside two busy programs on a two-core machine a placed stream of 20 or 40 ms still
        // ran dry now and then (while the writer ran at real-time priority); 100 ms did not.
        double placedBufferMs = 100;
        double liveBufferMs = 10;
        // How late the program may be on its own schedule without the listener hearing it: the
        // window's thread woke up to 12 ms late beside two busy programs at its raised priority,
        // and now and then (a repaint, the window's text growing) took 28 ms on an idle machine.
        double marginMs = 50;
        // A stream that runs dry doubles its buffer, up to these. The live stream's also sets
        // the sound server's own buffer, which delays the placed tones' stream as well.
        double largestPlacedBufferMs = 400;
        double largestLiveBufferMs = 40;
        // Everything on one stream (the live tone too) with the placed tones' buffer.
        bool oneStream = false;
    };

    explicit PulseSoundDevice(Clock& clock) : PulseSoundDevice(clock, Options{}) {}
    PulseSoundDevice(Clock& clock, Options options);
    ~PulseSoundDevice() override;
    PulseSoundDevice(const PulseSoundDevice&) = delete;
    PulseSoundDevice& operator=(const PulseSoundDevice&) = delete;

    // Whether a sound server answered, without opening anything.
    static bool serverReachable();

    bool available() const { return open_; }
    // Empty while sound works; otherwise a sentence for the status bar.
    const std::string& unavailableReason() const { return unavailableReason_; }
    // Times a stream ran dry, the placed tones' and the live one's.
    // The buffers the server settled on and the streams' latencies now, for a benchmark's log.
    std::string bufferSummary() const;
    uint32_t placedUnderruns() const;
    uint32_t liveUnderruns() const;

private:
    // One stream and what its writer mixes into it.
    struct Lane;

    bool outputOpen() const override { return open_; }
    bool outputRunning() const override;
    double originMs() const override;
    double placementLatencyMs() const override { return runLatencyMs_; }
    double marginMs() const override { return options_.marginMs; }
    bool pushPlaced(const TimelineEvent& event) override;
    bool pushLive(const TimelineEvent& event) override;
    void startingAfresh() override;

    bool connect();
    pa_stream* openStream(Lane& lane, const char* name);
    void close();
    void giveUp(const std::string& why);

    static void contextChanged(pa_context* context, void* self);
    static void streamChanged(pa_stream* stream, void* self);
    static void writeRequested(pa_stream* stream, size_t bytes, void* lane);
    static void ranDry(pa_stream* stream, void* lane);

    Options options_;
    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    std::unique_ptr<Lane> placed_, live_;
    bool open_ = false;
    std::string unavailableReason_;
    double runLatencyMs_ = 0; // the calling thread's own
};

} // namespace kelvatron
