#include "training/sendingdecoder.h"

#include <algorithm>

#include "keying/signtable.h"

namespace kelvatron {

namespace {

constexpr double kSignGapDots = 2; // between the ideal 1 (inside a sign) and 3 (between signs)
constexpr double kWordGapDots = 5; // between the ideal 3 and 7 (between words)
// A silence this many dots long is the learner stopping, not a word space to be measured.
constexpr double kPauseDots = 21;
// How far one dot or silence inside a sign moves the dot estimate, and how far a single one may
// pull it. Dashes leave it alone: their length depends on the learner's ratio as much as on the
// speed, so a dash held far too long is still a dash and changes nothing else.
constexpr double kFollow = 0.25;
constexpr double kMaxStep = 1.5;
// The learner's own dash-to-dot ratio is learnt from signs holding both, which tells it apart
// from a change of speed; it stays within these bounds.
constexpr double kRatioFollow = 0.25;
constexpr double kMinRatio = 2, kMaxRatio = 7;
constexpr char kBreakSignText = '-';
constexpr char kUnknownSign = '*';
constexpr std::string_view kBreakSignCode = "-...-";

} // namespace

char decodeSignCode(std::string_view code, bool latin) {
    if (code == kBreakSignCode) return kBreakSignText;
    for (const auto& sign : kSignTable) {
        if (sign.code != code) continue;
        if (latin)
            for (const auto& row : kLatinEquivalents)
                if (row.keyedAs == sign.symbol) return row.latin;
        return sign.symbol;
    }
    return kUnknownSign;
}

SendingDecoder::SendingDecoder(const SendingDecoderSettings& settings)
    : latin_(settings.latin), dotMs_(settings.dotMs), ratioEstimate_(settings.ratio),
      timing_(settings.ratio) {}

void SendingDecoder::followDot(double sampleMs) {
    dotMs_ += kFollow * (std::clamp(sampleMs, dotMs_ / kMaxStep, dotMs_ * kMaxStep) - dotMs_);
}

std::string SendingDecoder::keyDown(double nowMs) {
    if (down_) return {};
    std::string text = lastUp_ ? classifySilence(nowMs - *lastUp_) : std::string();
    down_ = true;
    lastDown_ = nowMs;
    return text;
}

std::string SendingDecoder::classifySilence(double silenceMs) {
    if (!code_.empty() && silenceMs < kSignGapDots * dotMs_) {
        timing_.addGap(GapKind::Element, silenceMs);
        followDot(silenceMs);
        return {};
    }
    std::string text = poll(*lastUp_ + silenceMs);
    if (silenceMs >= kPauseDots * dotMs_) return text;
    timing_.addGap(silenceMs >= kWordGapDots * dotMs_ ? GapKind::Word : GapKind::Sign, silenceMs);
    return text;
}

void SendingDecoder::keyUp(double nowMs) {
    if (!down_) return;
    down_ = false;
    lastUp_ = nowMs;
    const double length = nowMs - *lastDown_;
    const bool dash = length >= dotMs_ * (1 + ratioEstimate_) / 2;
    timing_.addElement(dash ? ElementKind::Dash : ElementKind::Dot, length, dotMs_);
    if (!dash) followDot(length);
    (dash ? signDashes_ : signDots_).add(length);
    code_ += dash ? '-' : '.';
}

std::string SendingDecoder::poll(double nowMs) {
    if (down_ || !lastUp_) return {};
    const double silence = nowMs - *lastUp_;
    std::string text;
    if (!code_.empty() && silence >= kSignGapDots * dotMs_) text = completeSign();
    if (wordSpaceDue_ && silence >= kWordGapDots * dotMs_) {
        text += ' ';
        wordSpaceDue_ = false;
    }
    return text;
}

std::string SendingDecoder::finish() {
    return code_.empty() ? std::string() : completeSign();
}

std::string SendingDecoder::completeSign() {
    if (signDots_.count && signDashes_.count) {
        const double ratio = signDashes_.mean() / signDots_.mean();
        ratioEstimate_ = std::clamp(ratioEstimate_ + kRatioFollow * (ratio - ratioEstimate_),
                                    kMinRatio, kMaxRatio);
    }
    signDots_ = signDashes_ = {};
    const char c = decodeSignCode(code_, latin_);
    code_.clear();
    wordSpaceDue_ = true;
    return std::string(1, c);
}

std::optional<double> SendingDecoder::nextDeadline() const {
    if (down_ || !lastUp_) return std::nullopt;
    if (!code_.empty()) return *lastUp_ + kSignGapDots * dotMs_;
    if (wordSpaceDue_) return *lastUp_ + kWordGapDots * dotMs_;
    return std::nullopt;
}

} // namespace kelvatron
