#include "transmission/transmissiondriver.h"

#include <algorithm>
#include <cmath>

#include "core/clock.h"
#include "core/cp1251.h"
#include "core/eventpump.h"
#include "core/formstate.h"
#include "core/progress.h"
#include "core/random.h"
#include "core/terminationrequest.h"
#include "core/textwindow.h"
#include "keying/farnsworth.h"
#include "keying/generationsets.h"
#include "keying/prompttones.h"
#include "keying/signplayer.h"
#include "keying/signtable.h"
#include "transmission/pausestopcontrol.h"
#include "transmission/textsign.h"
#include "transmission/transmissioncontrols.h"

namespace kelvatron {

namespace {

// Damaged stored settings may leave a display holding a fraction, a value out of range or no
// number at all; the run then uses the nearest value the steppers could have set.
int32_t wholeInRange(double value, int32_t low, int32_t high) {
    if (std::isnan(value)) return low;
    return static_cast<int32_t>(std::lround(std::clamp(value, double(low), double(high))));
}

// RAII mark of a running transmission, so that a start clicked inside it is recognised.
class TransmittingMark {
public:
    explicit TransmittingMark(bool& flag) : flag_(flag) { flag_ = true; }
    ~TransmittingMark() { flag_ = false; }
    TransmittingMark(const TransmittingMark&) = delete;
    TransmittingMark& operator=(const TransmittingMark&) = delete;

private:
    bool& flag_;
};

} // namespace

TransmissionDriver::TransmissionDriver(TransmissionControls& controls, TextWindow& text,
                                       Progress& progress, Clock& clock, EventPump& events,
                                       FormState& state, SignPlayer& player,
                                       PauseStopControl& pauseStop)
    : controls_(controls), text_(text), progress_(progress), clock_(clock), events_(events),
      state_(state), pauseStop_(pauseStop), output_(player.output()),
      keyer_(player, clock, state.timing) {}

int32_t TransmissionDriver::groupSizeOf(double value) {
    return wholeInRange(value, 1, kMaxGroupSize);
}

int32_t TransmissionDriver::groupCountOf(double value) {
    return wholeInRange(value, 1, kMaxGroupCount);
}

void TransmissionDriver::start() {
    if (state_.transmitting) {
        // A second transmission inside the running one would key over it: the click only
        // toggled the button, so put it back as it was.
        controls_.setStartChecked(!controls_.startChecked());
        return;
    }
    TransmittingMark mark(state_.transmitting);
    // Started between the signs of a typed key's queue, the transmission still keeps its own
    // schedule on the placed tones' stream: prompt tones answer a key, and placed at once on
    // the live stream a transmission's elements would move with every late wake of the window.
    const PromptTones scheduled(output_, false);
    transmit();
}

void TransmissionDriver::transmit() {
    prepare();
    const bool complete = opening() && bodies();
    // Stopped: the stop button has reset the controls; no closing, only the silence still owed.
    if (!complete) return keyer_.settle();
    finish();
}

void TransmissionDriver::prepare() {
    controls_.setStartChecked(true);
    state_.keyPreview = true;
    pauseStop_.readPauseButton();
    text_.setInputEnabled(false);
    text_.setAlignment(TextAlignment::Left);
    progress_.setPosition(0);
    controls_.lockHints(true);
    state_.stopFlag = 0;
    const TransmissionSettings settings = controls_.transmissionSettings();
    groupSize_ = groupSizeOf(settings.groupSize);
    groupCount_ = groupCountOf(settings.groupCount);
    progress_.setMax(groupSize_ * groupCount_ - 1);
    if (settings.digits || settings.letters || settings.digitsAndLetters) text_.clear();
}

// Ж Ж Ж and the break sign, then a long pause. Nothing is written and no event is handled, so
// the learner cannot pause or stop the opening; only a request to end the program ends it, after
// the sign that sounds. Returns false then.
bool TransmissionDriver::opening() {
    if (!controls_.transmissionSettings().opening) return true;
    for (char sign : {win1251("Ж"), win1251("Ж"), win1251("Ж"), win1251(" ")}) {
        if (endRequested()) return false;
        keyer_.key(sign);
    }
    waitGroupPauses(3);
    return true;
}

// Each source is tested when its turn comes, so a source chosen during one body runs after it
// when it comes later in this order.
bool TransmissionDriver::bodies() {
    auto now = [this] { return controls_.transmissionSettings(); };
    if (now().textInWindow && !textBody()) return false;
    if (now().digits && !generatedBody(generationSet(GenerationSetKind::Digits))) return false;
    if (now().letters && !letterBodies()) return false;
    if (now().digitsAndLetters && !mixedBodies()) return false;
    return true;
}

bool TransmissionDriver::letterBodies() {
    if (controls_.transmissionSettings().cyrillic &&
        !generatedBody(generationSet(GenerationSetKind::CyrillicLetters)))
        return false;
    if (controls_.transmissionSettings().latin &&
        !generatedBody(generationSet(GenerationSetKind::LatinLetters)))
        return false;
    return true;
}

bool TransmissionDriver::mixedBodies() {
    if (controls_.transmissionSettings().latin &&
        !generatedBody(generationSet(GenerationSetKind::DigitsAndLatinLetters)))
        return false;
    if (controls_.transmissionSettings().cyrillic &&
        !generatedBody(generationSet(GenerationSetKind::DigitsAndCyrillicLetters)))
        return false;
    return true;
}

// The window's text is keyed as it stands at each position, so the user may still edit what is
// not yet keyed; the part keyed so far and the next character are shown selected. A text cut
// short during the run ends the body at its new end.
bool TransmissionDriver::textBody() {
    text_.setInputEnabled(true);
    text_.focus();
    text_.select(0, 0);
    const int n = int(text_.text().size());
    progress_.setMax(n);
    text_.paintAll();
    for (int k = 1; k <= n; ++k) {
        if (shouldStop()) return false;
        const std::string text = text_.text();
        if (k > int(text.size())) break;
        keyTextCharacter(text[k - 1]);
        progress_.setPosition(k);
        text_.select(0, k + 1);
        paintProgress();
    }
    answers_.afterGroup(0);
    text_.setInputEnabled(false);
    return true;
}

// A full stop is keyed as Т Ч К set apart by group pauses; a space is a group pause.
void TransmissionDriver::keyTextCharacter(char c) {
    if (c == '.') {
        waitGroupPauses(1);
        for (char sign : kFullStopSigns)
            keyer_.key(sign);
        answers_.afterSign(std::string_view(kFullStopSigns.data(), kFullStopSigns.size()), c);
        waitGroupPauses(1);
    }
    if (auto sign = textSign(c)) {
        keyer_.key(*sign);
        answers_.afterSign(std::string_view(&*sign, 1), c);
    }
    if (c == ' ') waitGroupPauses(1);
    // A line break ends a word for the answers as a space does, without a group pause.
    if (c == ' ' || c == '\r' || c == '\n')
        answers_.afterGroup(c == ' ' ? state_.timing.groupPause : 0);
}

// Random groups, each sign written into the window after it has sounded, each group followed by
// two spaces and a group pause. The progress counts signs across all groups.
bool TransmissionDriver::generatedBody(std::string_view set) {
    text_.clear();
    Randomize(clock_);
    text_.paintAll();
    int progress = 0;
    for (int32_t group = 0; group < groupCount_; ++group) {
        if (!generatedGroup(set, progress)) return false;
        waitGroupPauses(1);
        answers_.afterGroup(state_.timing.groupPause);
        text_.append("  ");
        paintProgress();
    }
    return true;
}

bool TransmissionDriver::generatedGroup(std::string_view set, int& progress) {
    for (int32_t i = 0; i < groupSize_; ++i) {
        if (shouldStop()) return false;
        progress_.setPosition(progress++);
        const GenerationEntry entry = generationEntry(drawEntry(set));
        keyer_.key(entry.keyed);
        text_.append(std::string_view(&entry.written, 1));
        answers_.afterSign(std::string_view(&entry.keyed, 1), entry.written);
        paintProgress();
        keyer_.settle();
        events_.processEvents();
    }
    return true;
}

// The closing is keyed only after a body that ran to its end; the closing option is read now.
// The bar goes back to 0 once the last group pause has passed, not while it is still owed, and
// shows it at once: no event is handled before the closing has been keyed.
void TransmissionDriver::finish() {
    keyer_.settle();
    progress_.setPosition(0);
    progress_.paint();
    if (controls_.transmissionSettings().closing && !endRequested()) {
        waitGroupPauses(3);
        keyer_.key(win1251("А"));
        keyer_.key(win1251("Р"));
    }
    keyer_.settle();
    controls_.setStartChecked(false);
    controls_.lockHints(false);
}

// A request to end the program stops the transmission as the stop button would.
bool TransmissionDriver::endRequested() {
    if (terminationRequested()) state_.stopFlag = 1;
    return terminationRequested();
}

// The group pause is the one the sign player derived at the last element sounded (stretched
// when Farnsworth spacing is on).
void TransmissionDriver::waitGroupPauses(int count) {
    keyer_.wait(takeGroupPause(state_.timing, count));
}

// Events are handled only once the silence owed after the last sign has passed: a handler that
// sounds a sign of its own (keyboard practice, the exit command) must not follow the transmission's
// sign closer than the sign player's spacing.
bool TransmissionDriver::shouldStop() {
    keyer_.settle();
    return pauseStop_.shouldStop();
}

// The window's own painting is done at once, inside the silence that follows a sign, so that
// handling events afterwards finds nothing to paint and does not lengthen the silence.
void TransmissionDriver::paintProgress() {
    text_.paint();
    progress_.paint();
}

} // namespace kelvatron
