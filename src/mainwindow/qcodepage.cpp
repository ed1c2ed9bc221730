#include "mainwindow/qcodepage.h"

#include <QLineEdit>
#include <QTimer>

#include "core/clock.h"
#include "mainwindow/drillkeyer.h"
#include "training/contactcheck.h"
#include "trainingui/qcodedrillview.h"

namespace kelvatron {

QCodePage::QCodePage(QCodeDrillView& view, DrillKeyer& keyer, Clock& clock)
    : view_(view), keyer_(keyer), clock_(clock) {
    connect(&view_, &QCodeDrillView::startRequested, this, &QCodePage::start);
    connect(&view_, &QCodeDrillView::repeatRequested, this, &QCodePage::repeat);
    connect(&view_, &QCodeDrillView::answered, this, &QCodePage::answer);
}

std::string_view QCodePage::current() const {
    return running_ ? codes_[index_].code : std::string_view{};
}

void QCodePage::start() {
    if (running_) return;
    codes_ = shuffledAirCodes(uint32_t(clock_.now() * 104729));
    index_ = 0;
    right_ = 0;
    running_ = true;
    keyer_.begin();
    view_.setRunning(true);
    view_.setCount(0, 0);
    view_.showMeaning({});
    keyCode();
}

void QCodePage::stop() {
    running_ = false;
    view_.setRunning(false);
}

void QCodePage::keyCode() {
    if (!running_ || keying_) return;
    keying_ = true;
    const auto stop = [this] { return !running_; };
    if (keyer_.wait(400, stop)) keyer_.key(codes_[index_].code, 6000 / view_.cpm(), stop);
    keying_ = false;
    if (pending_ && running_) {
        const QString typed = *pending_;
        pending_.reset();
        takeAnswer(typed);
    }
}

void QCodePage::answer(const QString& typed) {
    if (!running_) return;
    if (keying_) {
        pending_ = typed;
        return;
    }
    takeAnswer(typed);
}

void QCodePage::takeAnswer(const QString& typed) {
    const AirCode& code = codes_[index_];
    const bool right = !typed.trimmed().isEmpty() && sameSigns(code.code, typed.toStdString());
    right_ += right;
    const QString head = QStringLiteral("%1 — %2.")
                             .arg(QString::fromUtf8(code.code.data(), code.code.size()),
                                  QString::fromUtf8(code.meaning.data(), code.meaning.size()));
    view_.showMeaning(right ? head + QStringLiteral(" Верно.")
                            : head + QStringLiteral(" Неверно: принято «%1».").arg(typed));
    view_.setCount(right_, int(++index_));
    view_.clearInput();
    if (index_ == codes_.size()) {
        stop();
        return;
    }
    QTimer::singleShot(0, this, &QCodePage::keyCode);
}

void QCodePage::repeat() {
    if (running_ && !keying_) keyCode();
    view_.input()->setFocus();
}

} // namespace kelvatron
