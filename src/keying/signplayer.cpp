#include "keying/signplayer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/clock.h"
#include "core/cp1251.h"
#include "core/formstate.h"
#include "core/textwindow.h"
#include "keying/keyingsettings.h"
#include "keying/signtable.h"
#include "keying/toneoutput.h"

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

} // namespace

SignPlayer::SignPlayer(const KeyingSettingsSource& settings, ToneOutput& output, TextWindow& text,
                       Clock& clock, TimingValues& timing)
    : settings_(settings), output_(output), text_(text), clock_(clock), timing_(timing) {}

// Dash, sign pause and group pause follow the dot. A ratio or pause that is none of the
// steppers' values leaves its length as the last element left it.
void SignPlayer::derivePauses(double ratio, double signPause, double groupPause) {
    for (int r = 3; r <= 6; ++r)
        if (ratio == r) timing_.DashLength = timing_.DotLength * r;
    for (int p = 1; p <= 4; ++p)
        if (signPause == p) timing_.SignPause = timing_.DashLength * p;
    for (int g = 1; g <= 4; ++g)
        if (groupPause == g) timing_.GroupPause = timing_.DashLength * 2 * g;
}

// The settings are read again after the speaker's tone, which takes the element's time: the
// sound card's half of the element sees what changed meanwhile. The frequency is the one read
// when the element began.
void SignPlayer::keyElement(int kind) {
    KeyingSettings s = settings_.keyingSettings();
    const int32_t frequency = wholeNumber(s.frequency);
    if (s.speaker) {
        // The speaker's dot is two speed units long.
        timing_.ToneFrequency = frequency;
        timing_.DotLength = s.speedUnit * 2;
        derivePauses(s.ratio, s.signPause, s.groupPause);
        if (kind == 1) timing_.ToneDuration = timing_.DotLength;
        if (kind == 2) timing_.ToneDuration = timing_.DashLength;
        if (timing_.ToneDuration > 0)
            output_.speakerTone(timing_.ToneFrequency, timing_.ToneDuration);
        s = settings_.keyingSettings();
    }
    if (s.soundCard) {
        // The sound card's dot is one speed unit long.
        timing_.DotLength = s.speedUnit;
        derivePauses(s.ratio, s.signPause, s.groupPause);
        const int32_t length = kind == 1 ? timing_.DotLength : timing_.DashLength;
        output_.cardTone(toInt16Saturated(frequency), s.waveform, static_cast<uint16_t>(length));
    }
}

void SignPlayer::keyElements(const SignRecord& sign) {
    for (char element : sign.Code) {
        if (element == '.') keyElement(1);
        if (element == '-') keyElement(2);
        clock_.sleep(timing_.DotLength);
    }
}

void SignPlayer::key(const SignRecord& sign) {
    keyElements(sign);
    clock_.sleep(timing_.SignPause);
}

void SignPlayer::showAndKeySign(std::string_view s) {
    auto index = FindSign(s);
    if (!index) return;
    const SignRecord& sign = SignTable[*index];
    const SignHints hints = settings_.signHints();
    text_.clear();
    text_.addLine(" ");
    if (hints.symbol) {
        text_.addLine(std::string_view(&sign.Symbol, 1));
        text_.addLine(" ");
    }
    if (hints.code) {
        text_.addLine(sign.Code);
        text_.addLine(" ");
    }
    if (hints.mnemonic) text_.addLine(toCp1251(sign.Mnemonic));
    key(sign);
}

void SignPlayer::keySign(std::string_view s) {
    if (auto index = FindSign(s)) key(SignTable[*index]);
}

} // namespace kelvatron
