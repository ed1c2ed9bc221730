#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "audio/signalstage.h"

namespace kelvatron {

// The stages every sound passes between the mixed tones and the output, in order: the placed
// tones and the hand's live tone on the sound card's streams (ToneTimeline), the keyed sound on
// its way into an audio file (ChainedSink) alike. An empty chain leaves the sound as it is.
//
// A chain is filled off the sound thread and then handed over whole (TimelineSoundDevice::
// setChain, RenderSession); it is not changed while it runs.
class SignalChain {
public:
    void add(std::unique_ptr<SignalStage> stage) { stages_.push_back(std::move(stage)); }
    bool empty() const { return stages_.empty(); }
    // How loud the keyed tone comes out against how it went in (the headroom the air keeps): a
    // sound mixed after the chain (SND_DRY) is scaled by it, to stay as loud as the tones.
    float level() const { return level_; }
    void setLevel(float level) { level_ = level; }

    // The sound thread's side: see SignalStage.
    void process(std::span<float> block, int64_t position) {
        for (const auto& stage : stages_)
            stage->process(block, position);
    }
    void rewound(int64_t position) {
        for (const auto& stage : stages_)
            stage->rewound(position);
    }

private:
    std::vector<std::unique_ptr<SignalStage>> stages_;
    float level_ = 1;
};

// Which of an output's streams a chain is built for: the placed tones (a transmission, an
// exercise, an export) or the hand's live tone (the sidetone of a key), which has a stream of its
// own on some outputs. A maker may leave the live one empty: what is heard off the air belongs to
// the placed tones, the hand's own key sounds clean.
enum class ChainStream : uint8_t { Placed, Live };

// Builds a chain for a stream of `rate` frames a second whose stages draw what they draw from
// `seed`; an output with two streams (the placed tones and the live tone) builds one for each.
using SignalChainMaker =
    std::function<std::unique_ptr<SignalChain>(uint32_t rate, uint32_t seed, ChainStream stream)>;

} // namespace kelvatron
