#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "exercises/pileup.h"

namespace kelvatron {

class SignalChain;

// One station's keying as samples: its text (Latin letters keyed as their Cyrillic partners,
// a space a word gap) as a sine at its pitch and level, dot = 6000 / cpm ms, dash three dots,
// standard gaps, each element with 5 ms raised-cosine edges so no key clicks.
std::vector<float> keyedStation(std::string_view text, int cpm, double pitchHz, double level,
                                uint32_t rate);

// The stations keyed together, each from its start sample with its own text (texts[i] for
// callers[i]; the caller's call when texts is empty), then passed through the chain's stages in
// blocks, as the placed tones pass them (the band conditions, when on), and kept below full
// scale.
std::vector<float> mixPileup(const std::vector<PileupCaller>& callers, uint32_t rate,
                             const std::vector<std::string>& texts = {},
                             SignalChain* chain = nullptr);

// A 16-bit mono RIFF/WAVE image of the samples, for the sound device (rate 44100 or 96000).
std::vector<uint8_t> waveImage16(std::span<const float> samples, uint32_t rate);

} // namespace kelvatron
