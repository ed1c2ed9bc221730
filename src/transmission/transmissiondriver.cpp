#include "transmission/transmissiondriver.h"

#include <QTextCursor>
#include <algorithm>
#include <cmath>

#include "core/clock.h"
#include "core/cp1251.h"
#include "core/eventpump.h"
#include "core/random.h"
#include "exercises/generationsets.h"
#include "form/formcontrols.h"
#include "form/formstate.h"
#include "form/services.h"
#include "keying/signplayer.h"
#include "keying/signtable.h"
#include "transmission/pausestopcontrol.h"
#include "transmission/textsign.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgldigits.h"
#include "widgets/tmemo.h"
#include "widgets/tprogressbar.h"

namespace kelvatron {

namespace {

constexpr int32_t kMaxGroupSize = 100;
constexpr int32_t kMaxGroupCount = 200;

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

TransmissionDriver::TransmissionDriver(FormControls& ui, Services& services, FormState& state,
                                       SignPlayer& player, PauseStopControl& pauseStop)
    : ui_(ui), services_(services), state_(state), pauseStop_(pauseStop),
      keyer_(player, services.clock, state.timing) {}

int32_t TransmissionDriver::groupSizeOf(double value) {
    return wholeInRange(value, 1, kMaxGroupSize);
}

int32_t TransmissionDriver::groupCountOf(double value) {
    return wholeInRange(value, 1, kMaxGroupCount);
}

void TransmissionDriver::glCheckBox8Click() {
    if (state_.transmitting) {
        // A second transmission inside the running one would key over it: the click only
        // toggled the button, so put it back as it was.
        ui_.glCheckBox8->setChecked(!ui_.glCheckBox8->Checked());
        return;
    }
    TransmittingMark mark(state_.transmitting);
    transmit();
}

void TransmissionDriver::transmit() {
    start();
    opening();
    const bool complete = bodies();
    // Stopped: the stop button has reset the controls; no closing, only the silence still owed.
    if (!complete) return keyer_.settle();
    finish();
}

void TransmissionDriver::start() {
    ui_.glCheckBox8->setChecked(true);
    state_.KeyPreview = true;
    pauseStop_.checkdelay();
    ui_.Memo1->setInputEnabled(false);
    ui_.Memo1->setAlignmentAll(Qt::AlignLeft);
    ui_.ProgressBar1->setPosition(0);
    ui_.glCheckBox1->setEnabled(false);
    ui_.glCheckBox2->setVisible(false);
    ui_.glCheckBox3->setVisible(false);
    state_.StopFlag = 0;
    groupSize_ = groupSizeOf(ui_.glDigits9->Value());
    groupCount_ = groupCountOf(ui_.glDigits10->Value());
    ui_.ProgressBar1->setMax(groupSize_ * groupCount_ - 1);
    if (ui_.glCheckBox4->Checked() || ui_.glCheckBox5->Checked() || ui_.glCheckBox6->Checked())
        ui_.Memo1->Clear();
}

// Ж Ж Ж and the break sign, then a long pause. Nothing is written and no event is handled, so
// the opening cannot be paused or stopped.
void TransmissionDriver::opening() {
    if (!ui_.glCheckBox20->Checked()) return;
    for (int i = 0; i < 3; ++i)
        keyer_.key(win1251("Ж"));
    keyer_.key(win1251(" "));
    waitGroupPauses(3);
}

// Each source is tested when its turn comes, so a source chosen during one body runs after it
// when it comes later in this order.
bool TransmissionDriver::bodies() {
    if (ui_.glCheckBox7->Checked() && !textBody()) return false;
    if (ui_.glCheckBox4->Checked() && !generatedBody(generationSet(GenerationSetKind::Digits)))
        return false;
    if (ui_.glCheckBox5->Checked() && !letterBodies()) return false;
    if (ui_.glCheckBox6->Checked() && !mixedBodies()) return false;
    return true;
}

bool TransmissionDriver::letterBodies() {
    if (ui_.glCheckBox22->Checked() &&
        !generatedBody(generationSet(GenerationSetKind::CyrillicLetters)))
        return false;
    if (ui_.glCheckBox23->Checked() &&
        !generatedBody(generationSet(GenerationSetKind::LatinLetters)))
        return false;
    return true;
}

bool TransmissionDriver::mixedBodies() {
    if (ui_.glCheckBox23->Checked() &&
        !generatedBody(generationSet(GenerationSetKind::DigitsAndLatinLetters)))
        return false;
    if (ui_.glCheckBox22->Checked() &&
        !generatedBody(generationSet(GenerationSetKind::DigitsAndCyrillicLetters)))
        return false;
    return true;
}

// The window's text is keyed as it stands at each position, so the user may still edit what is
// not yet keyed; the part keyed so far and the next character are shown selected. A text cut
// short during the run ends the body at its new end.
bool TransmissionDriver::textBody() {
    TMemo& memo = *ui_.Memo1;
    memo.setInputEnabled(true);
    memo.setFocus();
    memo.setSelStart(0);
    const int n = int(memo.Text().size());
    ui_.ProgressBar1->setMax(n);
    paintWindow();
    for (int k = 1; k <= n; ++k) {
        if (checkstop()) return false;
        const std::string text = memo.Text();
        if (k > int(text.size())) break;
        keyTextCharacter(text[k - 1]);
        ui_.ProgressBar1->setPosition(k);
        memo.setSelStart(0);
        memo.setSelLength(k + 1);
        paintProgress();
    }
    memo.setInputEnabled(false);
    return true;
}

// A full stop is keyed as Т Ч К set apart by group pauses; a space is a group pause.
void TransmissionDriver::keyTextCharacter(char c) {
    if (c == '.') {
        waitGroupPauses(1);
        for (const char* s : {"Т", "Ч", "К"})
            keyer_.key(win1251(s));
        waitGroupPauses(1);
    }
    if (auto sign = textSign(c)) keyer_.key(*sign);
    if (c == ' ') waitGroupPauses(1);
}

// Random groups, each sign written into the window after it has sounded, each group followed by
// two spaces and a group pause. The progress counts signs across all groups.
bool TransmissionDriver::generatedBody(std::string_view set) {
    ui_.Memo1->Clear();
    Randomize(services_.clock);
    paintWindow();
    int progress = 0;
    for (int32_t group = 0; group < groupCount_; ++group) {
        if (!generatedGroup(set, progress)) return false;
        waitGroupPauses(1);
        append("  ");
        paintProgress();
    }
    return true;
}

bool TransmissionDriver::generatedGroup(std::string_view set, int& progress) {
    for (int32_t i = 0; i < groupSize_; ++i) {
        if (checkstop()) return false;
        ui_.ProgressBar1->setPosition(progress++);
        const GenerationEntry entry = generationEntry(drawEntry(set));
        keyer_.key(entry.Keyed);
        append(std::string_view(&entry.Written, 1));
        paintProgress();
        keyer_.settle();
        services_.events.processEvents();
    }
    return true;
}

// The closing is keyed only after a body that ran to its end; the closing option is read now.
void TransmissionDriver::finish() {
    ui_.ProgressBar1->setPosition(0);
    if (ui_.glCheckBox21->Checked()) {
        waitGroupPauses(3);
        keyer_.key(win1251("А"));
        keyer_.key(win1251("Р"));
    }
    keyer_.settle();
    ui_.glCheckBox8->setChecked(false);
    ui_.glCheckBox1->setEnabled(true);
    ui_.glCheckBox2->setVisible(true);
    ui_.glCheckBox3->setVisible(true);
}

// The group pause is the one the sign player derived at the last element sounded.
void TransmissionDriver::waitGroupPauses(int count) {
    keyer_.wait(count * state_.timing.GroupPause);
}

// Events are handled only once the silence owed after the last sign has passed: a handler that
// sounds a sign of its own (keyboard practice, the exit command) must not follow the transmission's
// sign closer than the sign player's spacing.
bool TransmissionDriver::checkstop() {
    keyer_.settle();
    return pauseStop_.checkstop();
}

// The window's own painting is done at once, inside the silence that follows a sign, so that
// handling events afterwards finds nothing to paint and does not lengthen the silence.
void TransmissionDriver::paintProgress() {
    ui_.Memo1->repaint();
    ui_.ProgressBar1->repaint();
}

void TransmissionDriver::paintWindow() {
    ui_.Memo1->window()->repaint();
}

// Appends at the end of the window's text without rewriting it, and keeps the end in view.
void TransmissionDriver::append(std::string_view cp1251) {
    TMemo& memo = *ui_.Memo1;
    QTextCursor cursor = memo.textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QString::fromStdString(fromCp1251(cp1251)));
    memo.setTextCursor(cursor);
}

} // namespace kelvatron
