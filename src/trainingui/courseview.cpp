#include "trainingui/courseview.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "trainingui/trainingstyle.h"
#include "widgets/tgllabel.h"

namespace kelvatron {

namespace {

constexpr int kGridColumns = 12;

TglLabel* courseCommand(const QString& caption, QWidget* parent) {
    auto* label = new TglLabel(parent);
    label->setCaption(caption);
    label->setPixelSize(18);
    label->setClickable(true);
    label->setFixedSize(240, 26);
    return label;
}

// Green at 90 % right or more, amber from 70 %, red below; grey while it has no record.
QColor accuracyColour(const LearnedSign& s) {
    if (s.sent == 0) return QColor(170, 170, 170);
    const double right = 1.0 - double(s.wrong) / s.sent;
    if (right >= 0.9) return QColor(90, 220, 90);
    if (right >= 0.7) return trainingstyle::kMissed;
    return trainingstyle::kWrong;
}

QString accuracyText(const LearnedSign& s) {
    if (s.sent == 0) return QStringLiteral("%1: ещё не было").arg(s.sign);
    const int percent = int(100.0 * (s.sent - s.wrong) / s.sent + 0.5);
    return QStringLiteral("%1: %2 % верно").arg(s.sign).arg(percent);
}

} // namespace

CourseView::CourseView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("courseView"));
    auto* layout = trainingstyle::partLayout<QVBoxLayout>(this, 6);
    lesson_ = trainingstyle::panelLabel(QString(), 16, this);
    lesson_->setObjectName(QStringLiteral("courseLesson"));
    sign_ = trainingstyle::panelLabel(QString(), 72, this);
    sign_->setAlignment(Qt::AlignCenter);
    code_ = trainingstyle::panelLabel(QString(), 18, this);
    code_->setAlignment(Qt::AlignCenter);
    again_ = courseCommand(QStringLiteral("Послушать ещё раз"), this);
    start_ = courseCommand(QStringLiteral("Начать урок"), this);
    auto* speedRow = new QWidget(this);
    auto* speedLayout = trainingstyle::partLayout<QHBoxLayout>(speedRow, 6);
    speed_ = new QSpinBox(speedRow);
    speed_->setObjectName(QStringLiteral("courseSpeed"));
    speed_->setRange(0, 600);
    speed_->setSingleStep(10);
    speed_->setSpecialValueText(QStringLiteral("как полоса"));
    speed_->setAccessibleName(QStringLiteral("Скорость знаков курса, знаков в минуту"));
    speed_->setFixedWidth(110);
    wpm_ = trainingstyle::panelLabel(QString(), 11, speedRow);
    speedLayout->addWidget(trainingstyle::panelLabel(
        QStringLiteral("Скорость знаков, знаков в минуту:"), 13, speedRow));
    speedLayout->addWidget(speed_);
    speedLayout->addWidget(wpm_);
    speedLayout->addStretch(1);
    connect(speed_, &QSpinBox::valueChanged, this, [this] { setSignsPerMinute(speed_->value()); });
    grid_ = new QWidget(this);
    grid_->setObjectName(QStringLiteral("courseGrid"));
    grid_->setAccessibleName(QStringLiteral("Выученные знаки"));
    gridLayout_ = trainingstyle::partLayout<QGridLayout>(grid_, 4);
    layout->addWidget(lesson_);
    layout->addWidget(sign_);
    layout->addWidget(code_);
    layout->addWidget(again_);
    layout->addWidget(start_);
    layout->addWidget(speedRow);
    layout->addWidget(trainingstyle::panelLabel(QStringLiteral("Выученные знаки, верно за "
                                                               "последние упражнения:"),
                                                11, this));
    layout->addWidget(grid_);
    layout->addStretch(1);
}

void CourseView::setLesson(int lesson, int lessonCount, const QString& sign, const QString& code,
                           const QString& mnemonic) {
    trainingstyle::setLabelText(
        lesson_,
        QStringLiteral("Урок %1 из %2: новый знак «%3»").arg(lesson).arg(lessonCount).arg(sign));
    trainingstyle::setSignsLabelText(sign_, sign);
    trainingstyle::setLabelText(
        code_, mnemonic.isEmpty() ? code : code + QStringLiteral("   ") + mnemonic);
}

void CourseView::setStage(int lessonCount, int stage, int signsPerMinute) {
    trainingstyle::setLabelText(
        lesson_, QStringLiteral("Урок %1 из %1: все знаки выучены, ступень скорости %2 — %3 "
                                "знаков в минуту")
                     .arg(lessonCount)
                     .arg(stage)
                     .arg(signsPerMinute));
}

int CourseView::signsPerMinute() const {
    return speed_->value();
}

void CourseView::setSignsPerMinute(int signsPerMinute) {
    if (speed_->value() != signsPerMinute) speed_->setValue(signsPerMinute);
    const QString wpm =
        signsPerMinute ? QStringLiteral("%1 WPM").arg(signsPerMinute / 5.0, 0, 'g', 3) : QString();
    trainingstyle::setLabelText(wpm_, wpm);
    speed_->setAccessibleDescription(wpm);
}

void CourseView::setLearned(const std::vector<LearnedSign>& signs) {
    while (QLayoutItem* item = gridLayout_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    int at = 0;
    for (const LearnedSign& s : signs) {
        QLabel* cell = trainingstyle::panelLabel(s.sign, 16, grid_);
        cell->setAlignment(Qt::AlignCenter);
        cell->setFixedSize(34, 28);
        cell->setStyleSheet(QStringLiteral("color: black; background: %1; border-radius: 3px;")
                                .arg(trainingstyle::html(accuracyColour(s))));
        cell->setAccessibleName(accuracyText(s));
        cell->setToolTip(accuracyText(s));
        gridLayout_->addWidget(cell, at / kGridColumns, at % kGridColumns);
        ++at;
    }
}

} // namespace kelvatron
