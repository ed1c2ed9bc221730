#include "trainingui/callsigndrillview.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "trainingui/drillstyle.h"
#include "trainingui/trainingstyle.h"

namespace kelvatron {

CallsignDrillView::CallsignDrillView(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Позывные"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);

    auto* choices = new QHBoxLayout;
    calls_ = drillstyle::numberBox(1, 200, 5, 50, QStringLiteral("Позывных в серии"), this);
    startCpm_ = drillstyle::numberBox(kCallsignMinCpm, kCallsignMaxCpm, 10, 100,
                                      QStringLiteral("Начальная скорость, знаков в минуту"), this);
    step_ =
        drillstyle::numberBox(5, 50, 5, 10, QStringLiteral("Шаг скорости, знаков в минуту"), this);
    drillstyle::addCaptioned(choices, QStringLiteral("Позывных:"), calls_, this);
    drillstyle::addCaptioned(choices, QStringLiteral("скорость:"), startCpm_, this);
    drillstyle::addCaptioned(choices, QStringLiteral("шаг:"), step_, this);
    choices->addStretch();
    layout->addLayout(choices);

    auto* commands = new QHBoxLayout;
    start_ =
        drillstyle::button(QStringLiteral("Начать"), QStringLiteral("Начать серию позывных"), this);
    repeat_ = drillstyle::button(QStringLiteral("Повторить (F2)"),
                                 QStringLiteral("Повторить позывной, за половину очков"), this);
    repeat_->setShortcut(Qt::Key_F2);
    stop_ =
        drillstyle::button(QStringLiteral("Закончить"), QStringLiteral("Закончить серию"), this);
    for (QPushButton* b : {start_, repeat_, stop_})
        commands->addWidget(b);
    commands->addStretch();
    layout->addLayout(commands);

    count_ = drillstyle::label(QString(), 16, true, this);
    count_->setObjectName(QStringLiteral("callsignCount"));
    figures_ = drillstyle::label(QString(), 12, false, this);
    figures_->setObjectName(QStringLiteral("callsignFigures"));
    layout->addWidget(count_);
    layout->addWidget(figures_);

    input_ = drillstyle::copyInput(QStringLiteral("callsignInput"), QStringLiteral("Принятый позывной"),
                                 QStringLiteral("позывной и Enter"), this);
    layout->addWidget(input_);

    report_ = new QTextBrowser(this);
    report_->setObjectName(QStringLiteral("callsignReport"));
    report_->setAccessibleName(QStringLiteral("Итог серии"));
    report_->setFont(trainingstyle::monoFont(12));
    layout->addWidget(report_, 1);

    connect(start_, &QPushButton::clicked, this, &CallsignDrillView::startRequested);
    connect(repeat_, &QPushButton::clicked, this, &CallsignDrillView::repeatRequested);
    connect(stop_, &QPushButton::clicked, this, &CallsignDrillView::stopRequested);
    connect(input_, &QLineEdit::returnPressed, this, [this] { emit answered(input_->text()); });
    setCount(0, 0);
    setRunning(false);
}

CallsignDrillSettings CallsignDrillView::settings() const {
    return {.calls = calls_->value(), .startCpm = startCpm_->value(), .stepCpm = step_->value()};
}

void CallsignDrillView::setSettings(const CallsignDrillSettings& s) {
    calls_->setValue(s.calls);
    startCpm_->setValue(s.startCpm);
    step_->setValue(s.stepCpm);
}

void CallsignDrillView::setRunning(bool running) {
    for (QWidget* w : {static_cast<QWidget*>(calls_), static_cast<QWidget*>(startCpm_),
                       static_cast<QWidget*>(step_), static_cast<QWidget*>(start_)})
        w->setEnabled(!running);
    stop_->setEnabled(running);
    input_->setEnabled(running);
    if (!running) repeat_->setEnabled(false);
    if (running) {
        report_->clear();
        input_->setFocus();
    }
}

void CallsignDrillView::setRepeatAvailable(bool available) {
    repeat_->setEnabled(available);
}

void CallsignDrillView::setCount(int right, int answered) {
    trainingstyle::setLabelText(
        count_, QStringLiteral("Позывных: %1 из %2 верно").arg(right).arg(answered));
}

void CallsignDrillView::setFigures(const QString& text) {
    trainingstyle::setLabelText(figures_, text);
}

void CallsignDrillView::showReport(const QString& html, const QString& figure) {
    report_->setHtml(html);
    report_->setAccessibleDescription(figure);
    report_->setFocus();
}

void CallsignDrillView::clearInput() {
    input_->clear();
}

} // namespace kelvatron
