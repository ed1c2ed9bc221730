#include "trainingui/pileupview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "exercises/pileup.h"
#include "training/callsigndrill.h"
#include "trainingui/drillstyle.h"
#include "trainingui/trainingstyle.h"

namespace kelvatron {

PileupView::PileupView(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("Общий вызов"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    auto* choices = new QHBoxLayout;
    ownCall_ = new QLineEdit(QStringLiteral("UA3ZZZ"), this);
    ownCall_->setAccessibleName(QStringLiteral("Ваш позывной"));
    ownCall_->setMaximumWidth(110);
    callers_ = drillstyle::numberBox(1, kPileupMaxCallers, 1, 3,
                                     QStringLiteral("Наибольшее число отвечающих станций"), this);
    cpm_ = drillstyle::numberBox(kCallsignMinCpm, kCallsignMaxCpm, 10, 100,
                                 QStringLiteral("Скорость станций, знаков в минуту"), this);
    drillstyle::addCaptioned(choices, QStringLiteral("Ваш позывной:"), ownCall_, this);
    drillstyle::addCaptioned(choices, QStringLiteral("станций до:"), callers_, this);
    drillstyle::addCaptioned(choices, QStringLiteral("скорость:"), cpm_, this);
    choices->addStretch();
    layout->addLayout(choices);
    auto* commands = new QHBoxLayout;
    cq_ = drillstyle::button(QStringLiteral("CQ"), QStringLiteral("Дать общий вызов CQ"), this);
    again_ = drillstyle::button(QStringLiteral("Ещё раз"),
                                QStringLiteral("Попросить станции позвать снова"), this);
    commands->addWidget(cq_);
    commands->addWidget(again_);
    commands->addStretch();
    layout->addLayout(commands);
    count_ = drillstyle::label(QString(), 16, true, this);
    count_->setObjectName(QStringLiteral("pileupCount"));
    layout->addWidget(count_);
    input_ = drillstyle::copyInput(QStringLiteral("pileupInput"), QStringLiteral("Позывной отвечающей станции"),
                                 QStringLiteral("услышанный позывной и Enter"), this);
    layout->addWidget(input_);
    status_ = drillstyle::label(QString(), 13, false, this);
    status_->setObjectName(QStringLiteral("pileupStatus"));
    status_->setWordWrap(true);
    layout->addWidget(status_);
    worked_ = new QListWidget(this);
    worked_->setObjectName(QStringLiteral("pileupLog"));
    worked_->setAccessibleName(QStringLiteral("Проведённые связи"));
    worked_->setFont(trainingstyle::monoFont(12));
    worked_->setStyleSheet(QStringLiteral("color: white; background: rgba(4,14,22,150);"));
    layout->addWidget(worked_, 1);
    connect(cq_, &QPushButton::clicked, this, &PileupView::cqRequested);
    connect(again_, &QPushButton::clicked, this, &PileupView::againRequested);
    connect(input_, &QLineEdit::returnPressed, this, [this] { emit answered(input_->text()); });
    setCount(0);
    setStatus(QStringLiteral("Дайте CQ: ответят от одной до нескольких станций сразу"));
}

QString PileupView::ownCall() const {
    return ownCall_->text().trimmed().toUpper();
}

int PileupView::maxCallers() const {
    return callers_->value();
}

int PileupView::cpm() const {
    return cpm_->value();
}

void PileupView::setCount(int contacts) {
    trainingstyle::setLabelText(count_, QStringLiteral("Связей: %1").arg(contacts));
}

void PileupView::setStatus(const QString& text) {
    trainingstyle::setLabelText(status_, text);
}

void PileupView::clearInput() {
    input_->clear();
}

void PileupView::addWorked(const QString& line) {
    worked_->addItem(line);
    worked_->scrollToBottom();
}

} // namespace kelvatron
