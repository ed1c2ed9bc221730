#include "trainingui/qcodedrillview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "training/callsigndrill.h"
#include "trainingui/drillstyle.h"
#include "trainingui/trainingstyle.h"

namespace kelvatron {

QCodeDrillView::QCodeDrillView(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Q-коды"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    auto* commands = new QHBoxLayout;
    cpm_ = drillstyle::numberBox(kCallsignMinCpm, kCallsignMaxCpm, 10, 80,
                                 QStringLiteral("Скорость Q-кодов, знаков в минуту"), this);
    start_ = drillstyle::button(QStringLiteral("Начать"), QStringLiteral("Начать Q-коды"), this);
    repeat_ =
        drillstyle::button(QStringLiteral("Повторить"), QStringLiteral("Повторить код"), this);
    drillstyle::addCaptioned(commands, QStringLiteral("скорость:"), cpm_, this);
    commands->addWidget(start_);
    commands->addWidget(repeat_);
    commands->addStretch();
    layout->addLayout(commands);
    count_ = drillstyle::label(QString(), 16, true, this);
    count_->setObjectName(QStringLiteral("qcodeCount"));
    layout->addWidget(count_);
    input_ = drillstyle::copyInput(QStringLiteral("qcodeInput"), QStringLiteral("Принятый код"),
                                 QStringLiteral("код и Enter"), this);
    layout->addWidget(input_);
    meaning_ = drillstyle::label(QString(), 16, false, this);
    meaning_->setObjectName(QStringLiteral("qcodeMeaning"));
    meaning_->setWordWrap(true);
    layout->addWidget(meaning_);
    layout->addStretch();
    connect(start_, &QPushButton::clicked, this, &QCodeDrillView::startRequested);
    connect(repeat_, &QPushButton::clicked, this, &QCodeDrillView::repeatRequested);
    connect(input_, &QLineEdit::returnPressed, this, [this] { emit answered(input_->text()); });
    setCount(0, 0);
    setRunning(false);
}

int QCodeDrillView::cpm() const {
    return cpm_->value();
}

void QCodeDrillView::setRunning(bool running) {
    start_->setEnabled(!running);
    cpm_->setEnabled(!running);
    repeat_->setEnabled(running);
    input_->setEnabled(running);
    if (running) input_->setFocus();
}

void QCodeDrillView::setCount(int right, int answered) {
    trainingstyle::setLabelText(count_,
                                QStringLiteral("Кодов: %1 из %2 верно").arg(right).arg(answered));
}

void QCodeDrillView::showMeaning(const QString& text) {
    trainingstyle::setLabelText(meaning_, text);
}

void QCodeDrillView::clearInput() {
    input_->clear();
}

} // namespace kelvatron
