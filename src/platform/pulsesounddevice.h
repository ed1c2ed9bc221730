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
struct pa_io_event;

namespace kelvatron {

// The sound card through a PulseAudio server (or PipeWire's): the output wherever a server
// answers. Two float stereo streams stay open for the program's life, both written ahead by the
// client library's main-loop thread as the server asks for more:
//
// - the placed tones' stream holds enough that a late writer never leaves the server empty.
//   It keeps playing through an underrun, so its frames stay tied to the device's clock, and
//   tones are placed on it at their moment on the schedule plus its latency (what the server
//   holds plus a margin for a late caller), as TimelineSoundDevice does;
// - the live stream, for the hand's key and the tones that answer a typed key: a key wakes
//   the writing thread at once, which writes it over what the server holds, from a few
//   milliseconds after the sample it plays now (PulseAudio rewinds what it has taken). So the
//   key sounds at once however much the stream holds. On a server that cannot rewind, the
//   stream holds only a few milliseconds and the key goes into its next write.
//
// A stream that runs dry asks the server for a longer buffer. The placed stream's buffer grows
// once its run of tones under way has moved later by one step (between signs), so that no tone
// lands in what is already written. The writing thread runs at real-time priority where the
// system allows; it takes no lock of ours and mixes into memory set aside beforehand. The
// requests it sends the server (cork, a timing update, a new buffer size) go through the client
// library, which allocates an operation (pa_operation) for each.
// The calling thread hands it requests through lock-free queues and wakes it through an eventfd.
class PulseSoundDevice : public TimelineSoundDevice {
public:
    struct Options {
        uint32_t rate = 48000;
        // What the server is asked to hold for the placed tones, and for the hand's live tone.
        // Beside two busy programs on a two-core machine a placed stream of 20 or 40 ms still
        // ran dry now and then (while the writer ran at real-time priority); 100 ms did not.
        double placedBufferMs = 100;
        // A key is written over what the live stream holds, so its buffer costs no latency:
        // 40 ms outlasts the 10 to 20 ms an idle virtual machine now and then stops a thread
        // for. A server that cannot take back what it has (PipeWire's) plays a key after all
        // the stream holds, so there it holds only a little.
        double liveBufferMs = 40;
        double liveBufferMsWithoutRewrites = 10;
        // How late the program may be on its own schedule without the listener hearing it: the
        // window's thread woke up to 12 ms late beside two busy programs at its raised priority,
        // and now and then (a repaint, the window's text growing) took 28 ms on an idle machine.
        double marginMs = 50;
        // A stream that runs dry doubles its buffer, up to these. The live stream's also sets
        // the sound server's own buffer, which delays the placed tones' stream as well.
        double largestPlacedBufferMs = 400;
        double largestLiveBufferMs = 80;
        double largestLiveBufferMsWithoutRewrites = 40;
        // How far beyond the sample playing now a key's change is written over the live
        // stream: the rewritten frames must reach the server before it plays them.
        double liveLeadMs = 4;
        // A key edge that carries its moment sounds this long after it: the edge's way through
        // the window (a release waits 3 ms in case the keyboard repeats), the writing thread's
        // wake and the lead above fit in it, so every edge is equally late. So does what a
        // device mixes ahead in small blocks (8 to 10 ms), which a key that wakes the resting
        // live stream is written after: it too sounds as late as the others.
        double keyDelayMs = 16;
        // Everything on one stream (the live tone too) with the placed tones' buffer.
        bool oneStream = false;
    };

    explicit PulseSoundDevice(Clock& clock) : PulseSoundDevice(clock, Options{}) {}
    PulseSoundDevice(Clock& clock, Options options);
    ~PulseSoundDevice() override;
    PulseSoundDevice(const PulseSoundDevice&) = delete;
    PulseSoundDevice& operator=(const PulseSoundDevice&) = delete;

    bool available() const { return open_; }
    // Empty while sound works; otherwise a sentence for the status bar.
    const std::string& unavailableReason() const { return unavailableReason_; }
    // The buffers the server settled on and the streams' latencies now, for a benchmark's log.
    std::string bufferSummary() const;
    // Times a stream ran dry, the placed tones' and the live one's.
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
    double writtenAheadMs() const override;
    double aheadGrowthMs() const override;
    void allowGrowth() override;
    bool pushPlaced(const TimelineEvent& event) override;
    bool pushLive(const TimelineEvent& event) override;
    void startingAfresh() override;
    bool separateLiveStream() const override { return live_ != nullptr; }

    bool connect();
    bool serverRewinds();
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
