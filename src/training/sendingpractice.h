#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "training/iambickeyer.h"
#include "training/receivecheck.h"
#include "training/sendingdecoder.h"
#include "training/sidetone.h"
#include "training/trainingmode.h"

namespace kelvatron {

struct SendingPracticeSettings {
    KeyerMode mode = KeyerMode::IambicA; // how the paddles key; the straight key always keys
    double dotMs = 60;                   // the speed bar's dot
    double ratio = 3;
    bool latin = false;
};

// What one practice run keyed, at its end.
struct SendingResult {
    std::string text; // Windows-1251, as decoded
    SendingTimingSummary timing;
    double durationMs = 0; // from the first key-down to the last key-up
};

// One run of sending practice. A straight key and a pair of paddles (through the iambic keyer)
// key one tone together: the sidetone sounds while either keys, and the decoder hears exactly
// those tone edges. Times are ms on one clock the caller keeps; a timer calls poll() at
// nextDeadline() so keyer elements end and completed signs are written on time. Decoded text
// (Windows-1251) reaches `onText` as each sign or word space completes.
class SendingPractice {
public:
    using TextSink = std::function<void(const std::string& cp1251)>;

    SendingPractice(const SendingPracticeSettings& settings, Sidetone& sidetone, TextSink onText);

    void straightKey(bool down, double nowMs);
    void paddle(Paddle which, bool down, double nowMs);
    void poll(double nowMs);
    std::optional<double> nextDeadline() const;

    // A new speed or mode keys from the next element; the decoder keeps following the learner.
    void setMode(KeyerMode mode) { keyer_.setMode(mode); }
    void setDotMs(double dotMs) { keyer_.setDotMs(dotMs), settings_.dotMs = dotMs; }
    void setRatio(double ratio) { keyer_.setRatio(ratio); }
    void setLatin(bool latin) { decoder_.setLatin(latin); }

    // The figures so far, for the live display.
    SendingTimingSummary timing() const { return decoder_.timing().summary(); }
    const std::string& text() const { return text_; }
    bool finished() const { return finished_; }

    // Ends the run at nowMs: silences the tone, writes the sign still being keyed (without an
    // element cut off by the end) and ignores later input.
    SendingResult finish(double nowMs);
    // The run's speed and length, for the history.
    ExerciseFigures figures() const;

private:
    void applyEdges(const std::vector<ToneEdge>& edges);
    void setTone(bool keyerOn, bool straightOn, double atMs);
    void write(const std::string& text);

    SendingPracticeSettings settings_;
    Sidetone& sidetone_;
    TextSink onText_;
    IambicKeyer keyer_;
    SendingDecoder decoder_;
    bool straightDown_ = false, keyerOn_ = false, finished_ = false;
    std::optional<double> firstDownMs_;
    double lastUpMs_ = 0;
    std::string text_;
};

} // namespace kelvatron
