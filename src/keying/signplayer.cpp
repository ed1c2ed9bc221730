#include "keying/signplayer.h"

#include <cmath>
#include <limits>

#include "core/clock.h"
#include "core/cp1251.h"
#include "form/formcontrols.h"
#include "form/formstate.h"
#include "form/services.h"
#include "keying/signtable.h"
#include "keying/speaker.h"
#include "tonegen/tonegen.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgldigits.h"
#include "widgets/tglprogress.h"
#include "widgets/tmemo.h"

namespace kelvatron {

namespace {

// The displays hold whole numbers; a value that is not one (damaged stored settings) is taken
// at its nearest whole number rather than failing the conversion.
int32_t wholeNumber(double value) {
    if (std::isnan(value)) return 0;
    double clamped = std::clamp(value, double(std::numeric_limits<int32_t>::min()),
                                double(std::numeric_limits<int32_t>::max()));
    return static_cast<int32_t>(std::lround(clamped));
}

int16_t toInt16Saturated(int32_t value) {
    return static_cast<int16_t>(std::clamp<int32_t>(value, std::numeric_limits<int16_t>::min(),
                                                    std::numeric_limits<int16_t>::max()));
}

constexpr TTGWave kWaves[] = {TTGWave::tgSine, TTGWave::tgSquare, TTGWave::tgTriangle, TTGWave::tgSawtooth,
                              TTGWave::tgNoise};

} // namespace

SignPlayer::SignPlayer(FormControls& ui, Services& services, TToneGen& toneGen, TimingValues& timing)
    : ui_(ui), services_(services), toneGen_(toneGen), timing_(timing) {}

// Dash, sign pause and group pause follow the dot. A ratio or pause that is none of the
// steppers' values leaves its length as the last element left it.
void SignPlayer::derivePauses() {
    const double ratio = ui_.glDigits6->Value();
    for (int r = 3; r <= 6; ++r)
        if (ratio == r) timing_.DashLength = timing_.DotLength * r;
    const double signPause = ui_.glDigits7->Value();
    for (int p = 1; p <= 4; ++p)
        if (signPause == p) timing_.SignPause = timing_.DashLength * p;
    const double groupPause = ui_.glDigits8->Value();
    for (int g = 1; g <= 4; ++g)
        if (groupPause == g) timing_.GroupPause = timing_.DashLength * 2 * g;
}

void SignPlayer::playzwuk(int kind) {
    const int32_t frequency = wholeNumber(ui_.glDigits5->Value());
    if (ui_.glCheckBox13->Checked()) {
        // The speaker's dot is two speed units long.
        timing_.ToneFrequency = frequency;
        timing_.DotLength = ui_.glProgress1->Percent() * 2;
        derivePauses();
        if (kind == 1) timing_.ToneDuration = timing_.DotLength;
        if (kind == 2) timing_.ToneDuration = timing_.DashLength;
        if (timing_.ToneDuration > 0)
            SpeakerTone(services_.speaker, services_.clock, timing_.ToneFrequency, timing_.ToneDuration);
    }
    if (ui_.glCheckBox14->Checked()) {
        // The sound card's dot is one speed unit long.
        toneGen_.setFrequency(toInt16Saturated(frequency));
        timing_.DotLength = ui_.glProgress1->Percent();
        auto waves = ui_.waveformOptions();
        for (size_t i = 0; i < waves.size(); ++i)
            if (waves[i]->Checked()) toneGen_.setWaveform(kWaves[i]);
        derivePauses();
        int32_t length = kind == 1 ? timing_.DotLength : timing_.DashLength;
        toneGen_.setDuration(static_cast<int16_t>(static_cast<uint16_t>(length)));
        if (toneGen_.Duration() > 0) toneGen_.Play();
    }
}

void SignPlayer::keyElements(const SignRecord& sign) {
    for (char element : sign.Code) {
        if (element == '.') playzwuk(1);
        if (element == '-') playzwuk(2);
        services_.clock.sleep(timing_.DotLength);
    }
}

void SignPlayer::key(const SignRecord& sign) {
    keyElements(sign);
    services_.clock.sleep(timing_.SignPause);
}

void SignPlayer::playsymvol(std::string_view s) {
    auto index = FindSign(s);
    if (!index) return;
    const SignRecord& sign = SignTable[*index];
    TMemo& memo = *ui_.Memo1;
    memo.Clear();
    memo.LinesAdd(" ");
    if (ui_.glCheckBox1->Checked()) {
        memo.LinesAdd(std::string_view(&sign.Symbol, 1));
        memo.LinesAdd(" ");
    }
    if (ui_.glCheckBox2->Checked()) {
        memo.LinesAdd(sign.Code);
        memo.LinesAdd(" ");
    }
    if (ui_.glCheckBox3->Checked()) memo.LinesAdd(toCp1251(sign.Mnemonic));
    key(sign);
}

void SignPlayer::playsymvol_1(std::string_view s) {
    if (auto index = FindSign(s)) key(SignTable[*index]);
}

} // namespace kelvatron
