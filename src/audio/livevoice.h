#pragma once
#include <cstdint>
#include <vector>

#include "tonegen/tonetypes.h"
#include "tonegen/wavesynth.h"

namespace kelvatron {

// The tone of a key held by hand: it sounds from key-down to key-up, with raised-cosine edges
// so that neither the press nor the release clicks. A press during the release (or a release
// during the rise) turns the edge round from the level it has reached. The wave is the tone
// generator's own (WaveSynth, 16 bits at the stream's rate), so the hand's key sounds as a
// keyed sign does. Plain arithmetic on the sound thread: no allocation.
class LiveVoice {
public:
    explicit LiveVoice(uint32_t rate);
    // Its wave refers to the voice's own sine table and noise state.
    LiveVoice(const LiveVoice&) = delete;
    LiveVoice& operator=(const LiveVoice&) = delete;

    void keyDown(int32_t frequency, TTGWave waveform);
    void keyUp();
    // The next sample, -1..1.
    float next();
    bool sounding() const { return edge_ > 0 || held_; }
    // Takes back the last frames produced, as if they had not been: the output rewrites them
    // with a key change in them. No further back than the last key change.
    void rewind(int64_t frames);

    static constexpr double kEdgeMs = 5;
    // The lowest frequency the voice is made for: its sine table holds one period of it.
    static constexpr int32_t kLowestFrequency = 20;

private:
    void keyChanged();

    uint32_t rate_;
    int32_t edgeFrames_;
    int32_t edge_ = 0; // 0 silent .. edgeFrames_ full level
    bool held_ = false;
    // Since the last key change the voice is a function of the frames counted: the edge moves
    // one step a frame from where it was, and the wave advances on every frame that sounds.
    int64_t since_ = 0;
    int32_t edgeAtKey_ = 0;
    int64_t waveAtKey_ = 0;
    int32_t frequency_ = 0;
    TTGWave waveform_ = TTGWave::tgSine;
    std::vector<int> sineTable_;
    uint32_t noise_ = 22222;
    WaveSynth wave_;
};

} // namespace kelvatron
