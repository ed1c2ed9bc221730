#include "keying/signplayer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/clock.h"
#include "core/cp1251.h"
#include "core/formstate.h"
#include "core/textwindow.h"
#include "keying/farnsworth.h"
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
void SignPlayer::derivePauses(const KeyingSettings& s) {
    for (int r = 3; r <= 6; ++r)
        if (s.ratio == r) timing_.dashLength = timing_.dotLength * r;
    for (int p = 1; p <= 4; ++p)
        if (s.signPause == p) timing_.signPause = timing_.dashLength * p;
    for (int g = 1; g <= 4; ++g)
        if (s.groupPause == g) timing_.groupPause = timing_.dashLength * 2 * g;
    stretchGaps(s.effectiveSignsPerMinute);
}

// The sign's last element is followed by a dot's silence as always; the stretched pauses make
// up the rest of the sign gap and, after a group, of the word gap.
void SignPlayer::stretchGaps(int32_t effectiveSignsPerMinute) {
    const auto gaps = farnsworthGaps(timing_.dotLength, effectiveSignsPerMinute);
    timing_.stretched = gaps.has_value();
    if (!gaps) return;
    timing_.stretchedSignPauseMs = gaps->signGapMs - timing_.dotLength;
    timing_.stretchedGroupPauseMs = gaps->wordGapMs - gaps->signGapMs;
    timing_.signPause = static_cast<int32_t>(std::lround(timing_.stretchedSignPauseMs));
    timing_.groupPause = static_cast<int32_t>(std::lround(timing_.stretchedGroupPauseMs));
}

// The settings are read again after the speaker's tone, which takes the element's time: the
// sound card's half of the element sees what changed meanwhile. The frequency is the one read
// when the element began.
void SignPlayer::keyElement(int kind) {
    KeyingSettings s = settings_.keyingSettings();
    const int32_t frequency = wholeNumber(s.frequency);
    if (s.speaker) {
        timing_.toneFrequency = frequency;
        timing_.dotLength = s.speakerDotMs();
        derivePauses(s);
        if (kind == 1) timing_.toneDuration = timing_.dotLength;
        if (kind == 2) timing_.toneDuration = timing_.dashLength;
        if (timing_.toneDuration > 0)
            output_.speakerTone(timing_.toneFrequency, timing_.toneDuration);
        s = settings_.keyingSettings();
    }
    if (s.soundCard) {
        timing_.dotLength = s.cardDotMs();
        derivePauses(s);
        const int32_t length = kind == 1 ? timing_.dotLength : timing_.dashLength;
        output_.cardTone(toInt16Saturated(frequency), s.waveform, static_cast<uint16_t>(length));
    }
}

void SignPlayer::keyElements(const SignRecord& sign) {
    for (char element : sign.code) {
        if (element == '.') keyElement(1);
        if (element == '-') keyElement(2);
        clock_.sleep(timing_.dotLength);
    }
}

void SignPlayer::key(const SignRecord& sign) {
    keyElements(sign);
    clock_.sleep(takeSignPause(timing_));
}

void SignPlayer::showAndKeySign(std::string_view s) {
    auto index = findSign(s);
    if (!index) return;
    const SignRecord& sign = kSignTable[*index];
    const SignHints hints = settings_.signHints();
    text_.clear();
    text_.addLine(" ");
    if (hints.symbol) {
        text_.addLine(std::string_view(&sign.symbol, 1));
        text_.addLine(" ");
    }
    if (hints.code) {
        text_.addLine(sign.code);
        text_.addLine(" ");
    }
    if (hints.mnemonic) text_.addLine(toCp1251(sign.mnemonic));
    key(sign);
}

void SignPlayer::keySign(std::string_view s) {
    if (auto index = findSign(s)) key(kSignTable[*index]);
}

} // namespace kelvatron
