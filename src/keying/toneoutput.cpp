#include "keying/toneoutput.h"

#include "keying/speaker.h"
#include "tonegen/tonegen.h"

namespace kelvatron {

ToneGenOutput::ToneGenOutput(TToneGen& toneGen, SpeakerHardware& speaker, Clock& clock)
    : toneGen_(toneGen), speaker_(speaker), clock_(clock) {}

void ToneGenOutput::speakerTone(int32_t frequencyHz, int32_t durationMs) {
    soundSpeakerTone(speaker_, clock_, frequencyHz, durationMs);
}

// The generator keeps its duration as a signed 16-bit value: a length above 32767 ms reads as
// negative there and sounds nothing, as the generator's own check says.
void ToneGenOutput::cardTone(int16_t frequency, std::optional<TTGWave> waveform,
                             uint16_t durationMs) {
    toneGen_.setFrequency(frequency);
    if (waveform) toneGen_.setWaveform(*waveform);
    toneGen_.setDuration(static_cast<int16_t>(durationMs));
    if (toneGen_.duration() > 0) toneGen_.play();
}

bool ToneGenOutput::setPromptTones(bool on) {
    return toneGen_.device().setPromptTones(on);
}

} // namespace kelvatron
