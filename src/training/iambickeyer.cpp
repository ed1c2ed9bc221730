#include "training/iambickeyer.h"

#include <algorithm>

namespace kelvatron {

namespace {

Paddle opposite(Paddle p) {
    return p == Paddle::Dit ? Paddle::Dah : Paddle::Dit;
}

} // namespace

IambicKeyer::IambicKeyer(KeyerMode mode, double dotMs, double ratio)
    : mode_(mode), dotMs_(dotMs), ratio_(ratio) {}

void IambicKeyer::setTone(bool on, double atMs, std::vector<ToneEdge>& edges) {
    if (toneOn_ == on) return;
    toneOn_ = on;
    edges.push_back({on, atMs});
}

void IambicKeyer::startElement(Paddle element, double atMs, std::vector<ToneEdge>& edges) {
    element_ = element;
    memory(element) = false;
    squeezed_ = ditDown_ && dahDown_;
    phase_ = Phase::Mark;
    phaseEndMs_ = atMs + (element == Paddle::Dit ? dotMs_ : dotMs_ * ratio_);
    setTone(true, atMs, edges);
}

std::optional<Paddle> IambicKeyer::nextElement() const {
    if (mode_ == KeyerMode::Bug) return ditDown_ ? std::optional(Paddle::Dit) : std::nullopt;
    const Paddle other = opposite(element_);
    if (wanted(other) || (mode_ == KeyerMode::IambicB && squeezed_)) return other;
    if (wanted(element_)) return element_;
    return std::nullopt;
}

std::vector<ToneEdge> IambicKeyer::advance(double nowMs) {
    std::vector<ToneEdge> edges;
    while (phase_ != Phase::Idle && phaseEndMs_ <= nowMs) {
        const double at = phaseEndMs_;
        if (phase_ == Phase::Mark) {
            setTone(false, at, edges);
            phase_ = Phase::Space;
            phaseEndMs_ = at + dotMs_;
        } else if (auto next = nextElement()) {
            startElement(*next, at, edges);
        } else {
            phase_ = Phase::Idle;
            // A bug's dash contact held while the dots ran sounds once they have stopped.
            if (mode_ == KeyerMode::Bug && dahDown_) setTone(true, at, edges);
        }
    }
    nowMs_ = std::max(nowMs_, nowMs);
    return edges;
}

std::vector<ToneEdge> IambicKeyer::paddle(Paddle which, bool down, double nowMs) {
    std::vector<ToneEdge> edges = advance(nowMs);
    if (isDown(which) == down) return edges; // a repeated report changes nothing
    isDown(which) = down;
    const bool straight =
        mode_ == KeyerMode::Straight || (mode_ == KeyerMode::Bug && which == Paddle::Dah);
    if (straight) {
        // A bug's lever cannot make dots and dashes at once: its dash contact waits for the dots.
        const bool keyed = mode_ == KeyerMode::Straight ? ditDown_ || dahDown_ : dahDown_;
        if (phase_ == Phase::Idle) setTone(keyed, nowMs_, edges);
    } else if (down) {
        press(which, nowMs_, edges);
    }
    return edges;
}

void IambicKeyer::press(Paddle which, double atMs, std::vector<ToneEdge>& edges) {
    if (mode_ == KeyerMode::Bug) {
        if (phase_ == Phase::Idle && !toneOn_) startElement(Paddle::Dit, atMs, edges);
        return;
    }
    if (phase_ == Phase::Idle) {
        startElement(which, atMs, edges);
        return;
    }
    memory(which) = true;
    if (ditDown_ && dahDown_) squeezed_ = true;
}

std::optional<double> IambicKeyer::nextEventMs() const {
    if (phase_ == Phase::Idle) return std::nullopt;
    return phaseEndMs_;
}

} // namespace kelvatron
