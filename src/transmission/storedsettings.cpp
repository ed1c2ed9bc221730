#include "transmission/storedsettings.h"

namespace kelvatron {

namespace {

bool checkedAt(const PropValues& stored, std::size_t index) {
    return stored[index] != 0;
}

} // namespace

KeyingSettings keyingSettingsOf(const PropValues& stored) {
    KeyingSettings k;
    k.speaker = checkedAt(stored, prop::Speaker);
    k.soundCard = checkedAt(stored, prop::SoundCard);
    k.frequency = stored[prop::Frequency];
    // The option checked last wins.
    for (std::size_t i = 0; i < prop::WaveformCount; ++i)
        if (checkedAt(stored, prop::FirstWaveform + i)) k.waveform = static_cast<TTGWave>(i);
    k.speedUnit = static_cast<int32_t>(stored[prop::Speed]);
    k.ratio = stored[prop::Ratio];
    k.signPause = stored[prop::SignPause];
    k.groupPause = stored[prop::GroupPause];
    return k;
}

SignHints signHintsOf(const PropValues& stored) {
    return {checkedAt(stored, prop::FirstHint), checkedAt(stored, prop::FirstHint + 1),
            checkedAt(stored, prop::FirstHint + 2)};
}

TransmissionSettings transmissionSettingsOf(const PropValues& stored) {
    TransmissionSettings t;
    t.groupSize = stored[prop::GroupSize];
    t.groupCount = stored[prop::GroupCount];
    t.digits = checkedAt(stored, prop::FirstSource);
    t.letters = checkedAt(stored, prop::FirstSource + 1);
    t.digitsAndLetters = checkedAt(stored, prop::FirstSource + 2);
    t.textInWindow = checkedAt(stored, prop::FirstSource + 3);
    t.opening = checkedAt(stored, prop::Opening);
    t.closing = checkedAt(stored, prop::Closing);
    return t;
}

} // namespace kelvatron
