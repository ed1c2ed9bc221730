#pragma once
#include <cstdint>
#include <span>
#include <vector>

namespace kelvatron {

// How loud a sound is where it sounds: the RMS over the 20 ms stretches that hold sound (those
// within 30 dB of the loudest stretch), so the silences between words or between signs do not
// count. Zero for silence.
double heldRms(std::span<const float> samples, uint32_t rate);

inline constexpr double kLevelStretchMs = 20;

// Speech at the chain's rate: windowed-sinc resampling (Lanczos, three lobes), so a voice made
// at 22050 Hz keeps its clarity at 96000 Hz and gains no mirror images above its band.
std::vector<float> resampleSpeech(std::span<const int16_t> samples, uint32_t inputRate,
                                  uint32_t outputRate);

// Brings speech to targetRms (as heldRms measures it), its peaks held below `ceiling`: a voice as
// loud as a full-scale tone is compressed by a soft clip rather than cut off.
void levelSpeech(std::vector<float>& speech, uint32_t rate, double targetRms,
                 float ceiling = 0.97f);

} // namespace kelvatron
