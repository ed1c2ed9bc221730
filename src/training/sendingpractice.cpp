#include "training/sendingpractice.h"

#include <algorithm>

namespace kelvatron {

SendingPractice::SendingPractice(const SendingPracticeSettings& settings, Sidetone& sidetone,
                                 TextSink onText)
    : settings_(settings), sidetone_(sidetone), onText_(std::move(onText)),
      keyer_(settings.mode, settings.dotMs, settings.ratio),
      decoder_({.dotMs = settings.dotMs, .ratio = settings.ratio, .latin = settings.latin}) {}

void SendingPractice::write(const std::string& text) {
    if (text.empty()) return;
    text_ += text;
    if (onText_) onText_(text);
}

// The tone is the union of the straight key and the keyer: only a change of the union is an
// edge the learner hears and the decoder measures.
void SendingPractice::setTone(bool keyerOn, bool straightOn, double atMs) {
    const bool was = keyerOn_ || straightDown_;
    keyerOn_ = keyerOn, straightDown_ = straightOn;
    const bool now = keyerOn_ || straightDown_;
    if (now == was) return;
    if (now) {
        sidetone_.toneOn(atMs);
        if (!firstDownMs_) firstDownMs_ = atMs;
        write(decoder_.keyDown(atMs));
    } else {
        sidetone_.toneOff(atMs);
        lastUpMs_ = atMs;
        decoder_.keyUp(atMs);
    }
}

void SendingPractice::applyEdges(const std::vector<ToneEdge>& edges) {
    for (const auto& edge : edges)
        setTone(edge.on, straightDown_, edge.atMs);
}

void SendingPractice::straightKey(bool down, double nowMs) {
    if (finished_) return;
    poll(nowMs); // keyer edges and completed signs that fell due before this press
    setTone(keyerOn_, down, nowMs);
}

void SendingPractice::paddle(Paddle which, bool down, double nowMs) {
    if (finished_) return;
    applyEdges(keyer_.paddle(which, down, nowMs));
}

void SendingPractice::poll(double nowMs) {
    if (finished_) return;
    applyEdges(keyer_.advance(nowMs));
    write(decoder_.poll(nowMs));
}

std::optional<double> SendingPractice::nextDeadline() const {
    if (finished_) return std::nullopt;
    const auto keyer = keyer_.nextEventMs();
    const auto decoder = decoder_.nextDeadline();
    if (keyer && decoder) return std::min(*keyer, *decoder);
    return keyer ? keyer : decoder;
}

SendingResult SendingPractice::finish(double nowMs) {
    if (!finished_) {
        poll(nowMs);
        // An element still sounding is cut off: it is silenced but not decoded, since its
        // length says nothing of what the learner meant.
        if (keyerOn_ || straightDown_) sidetone_.toneOff(nowMs);
        keyerOn_ = straightDown_ = false;
        write(decoder_.finish());
        finished_ = true;
    }
    return {text_, timing(), firstDownMs_ ? lastUpMs_ - *firstDownMs_ : 0};
}

ExerciseFigures SendingPractice::figures() const {
    const auto summary = timing();
    return {.dotMs = int(settings_.dotMs + 0.5),
            .charWpm = summary.wpm,
            .effectiveWpm = summary.effectiveWpm,
            .durationS = firstDownMs_ ? (lastUpMs_ - *firstDownMs_) / 1000 : 0};
}

} // namespace kelvatron
