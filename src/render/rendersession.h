#pragma once
#include <cstdint>
#include <string>

#include "core/random.h"
#include "render/audiofilewriter.h"
#include "render/sampletimeline.h"

namespace kelvatron {

// One export: a sample timeline whose sound streams into an audio file as it is keyed. Whatever
// drives clock() and device() (a transmission, a sign player) renders as fast as the machine
// goes; finish() ends the sound at the virtual now and moves the file into place.
//
// The file is opened at construction, so a target that cannot be written is known before any
// keying (ok() false, error() says why). A failure or cancel() during keying ends the file at
// once; the keying may run on but nothing more is written. Destroying an unfinished session
// leaves no file behind.
//
// While it lives, the thread that made it draws random numbers from the session's own
// generator state (OwnRandomState), so sessions on several threads key as each would alone and
// none writes the program's generator. It is made, used and destroyed on one thread.
class RenderSession {
public:
    // longestSamples: how long the sound can grow (see AudioFileWriter); 0 when it is short.
    // chain: the stages the sound passes on its way into the file.
    RenderSession(const std::string& path, ToneFormat format = {}, uint32_t seed = 0,
                  int64_t longestSamples = 0, std::unique_ptr<SignalChain> chain = {});

    Clock& clock() { return timeline_.clock(); }
    SoundDevice& device() { return timeline_.device(); }
    TToneGen& toneGen() { return timeline_.toneGen(); }
    uint32_t rate() const { return timeline_.rate(); }
    SampleTimeline& timeline() { return timeline_; }
    // Sound keyed so far, in ms of listening.
    double keyedMs() { return timeline_.clock().now(); }

    // Safe from any thread (a cancel button while keying runs elsewhere).
    void cancel() { writer_.cancel(); }
    // Whether the file can still be finished; the keying may stop early when it cannot.
    bool ok() const { return writer_.ok(); }
    const std::string& error() const { return writer_.error(); }

    // Ends the sound and writes the file; false with error() when it could not be written.
    bool finish();

private:
    OwnRandomState random_;
    AudioFileWriter writer_;
    SampleTimeline timeline_;
};

} // namespace kelvatron
