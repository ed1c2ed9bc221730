#pragma once
#include <optional>
#include <vector>

namespace kelvatron {

enum class KeyerMode {
    IambicA,  // a squeeze alternates; releasing both ends after the element being sent
    IambicB,  // as A, but releasing a squeeze during an element adds the opposite element
    Bug,      // the dit paddle makes dots by itself, the dah paddle is a straight key
    Straight, // either paddle is a straight key: the tone follows it
};

enum class Paddle { Dit, Dah };

// One change of the keyer's tone, at the exact time it belongs to.
struct ToneEdge {
    bool on;
    double atMs;
    bool operator==(const ToneEdge&) const = default;
};

// Paddles in, tone edges out, on whatever clock the caller keeps: tests drive it on a virtual
// time, the window from its event loop. Every element is followed by one dot of silence. A
// paddle pressed during an element or the silence after it is remembered and sent after it
// (dot and dah memory); with both paddles down the elements alternate.
class IambicKeyer {
public:
    IambicKeyer(KeyerMode mode, double dotMs, double ratio = 3);

    // Moves time on to nowMs, then applies the paddle; returns the edges of both, in order.
    std::vector<ToneEdge> paddle(Paddle which, bool down, double nowMs);
    // The edges due up to and including nowMs.
    std::vector<ToneEdge> advance(double nowMs);
    // When advance() next has something to do; nothing while the keyer waits for a paddle.
    std::optional<double> nextEventMs() const;

    // Lengths and mode take effect from the next element.
    void setDotMs(double dotMs) { dotMs_ = dotMs; }
    void setRatio(double ratio) { ratio_ = ratio; }
    void setMode(KeyerMode mode) { mode_ = mode; }
    bool toneOn() const { return toneOn_; }

private:
    enum class Phase { Idle, Mark, Space };

    void startElement(Paddle element, double atMs, std::vector<ToneEdge>& edges);
    std::optional<Paddle> nextElement() const;
    void setTone(bool on, double atMs, std::vector<ToneEdge>& edges);
    void press(Paddle which, double atMs, std::vector<ToneEdge>& edges);
    bool& isDown(Paddle p) { return p == Paddle::Dit ? ditDown_ : dahDown_; }
    bool& memory(Paddle p) { return p == Paddle::Dit ? ditMemory_ : dahMemory_; }
    // Held now, or pressed since its element last started.
    bool wanted(Paddle p) const {
        return p == Paddle::Dit ? ditDown_ || ditMemory_ : dahDown_ || dahMemory_;
    }

    KeyerMode mode_;
    double dotMs_, ratio_;
    double nowMs_ = 0;
    Phase phase_ = Phase::Idle;
    double phaseEndMs_ = 0;
    Paddle element_ = Paddle::Dit;
    bool ditDown_ = false, dahDown_ = false;
    bool ditMemory_ = false, dahMemory_ = false;
    bool squeezed_ = false; // both paddles were down during the current element
    bool toneOn_ = false;
};

} // namespace kelvatron
