#include "trainingui/examview.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "trainingui/trainingstyle.h"
#include "widgets/tgllabel.h"

namespace kelvatron {

namespace {

TglLabel* examCommand(const QString& caption, QWidget* parent) {
    auto* label = new TglLabel(parent);
    label->setCaption(caption);
    label->setAccessibleName(caption);
    label->setPixelSize(18);
    label->setClickable(true);
    label->setFixedSize(240, 26);
    return label;
}

// A speed or a count typed in, named with its unit for a screen reader.
QSpinBox* numberBox(int low, int high, int step, const QString& name, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(low, high);
    box->setSingleStep(step);
    box->setAccessibleName(name);
    box->setFixedWidth(90);
    return box;
}

} // namespace

ExamView::ExamView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("examView"));
    auto* layout = trainingstyle::partLayout<QVBoxLayout>(this, 6);
    title_ = trainingstyle::panelLabel(
        QStringLiteral("Зачёт: группы по пять, блоки по минуте, после каждого сданного блока "
                       "скорость выше"),
        16, this);
    title_->setObjectName(QStringLiteral("examTitle"));
    title_->setWordWrap(true);
    text_ = new QComboBox(this);
    text_->addItems(
        {QStringLiteral("цифры"), QStringLiteral("буквы"), QStringLiteral("смешанные")});
    text_->setAccessibleName(QStringLiteral("Зачёт: из чего группы"));
    text_->setStyleSheet(trainingstyle::comboStyleSheet());
    text_->setFixedWidth(160);
    start_ = numberBox(20, 600, 10, QStringLiteral("Начальная скорость, знаков в минуту"), this);
    step_ = numberBox(5, 100, 5, QStringLiteral("Шаг скорости, знаков в минуту"), this);
    errors_ = numberBox(0, 50, 1, QStringLiteral("Ошибок в блоке не более"), this);
    auto* form = new QWidget(this);
    auto* rows = trainingstyle::partLayout<QFormLayout>(form, 4);
    rows->addRow(trainingstyle::panelLabel(QStringLiteral("Группы:"), 13, form), text_);
    rows->addRow(
        trainingstyle::panelLabel(QStringLiteral("Начальная скорость, знаков в минуту:"), 13, form),
        start_);
    rows->addRow(trainingstyle::panelLabel(QStringLiteral("Шаг, знаков в минуту:"), 13, form),
                 step_);
    rows->addRow(trainingstyle::panelLabel(QStringLiteral("Ошибок в блоке не более:"), 13, form),
                 errors_);
    receive_ = examCommand(QStringLiteral("Зачёт приёма"), this);
    send_ = examCommand(QStringLiteral("Зачёт передачи"), this);
    result_ = trainingstyle::panelLabel(QString(), 14, this);
    result_->setObjectName(QStringLiteral("examResult"));
    result_->setWordWrap(true);
    best_ = trainingstyle::panelLabel(QString(), 13, this);
    best_->setObjectName(QStringLiteral("examBest"));
    best_->setWordWrap(true);
    layout->addWidget(title_);
    layout->addWidget(form);
    layout->addWidget(receive_);
    layout->addWidget(send_);
    layout->addWidget(result_);
    layout->addWidget(best_);
    layout->addStretch(1);
    set(ExamText::Digits, SpeedExamSettings{});
}

ExamText ExamView::text() const {
    return static_cast<ExamText>(std::max(text_->currentIndex(), 0));
}

SpeedExamSettings ExamView::settings() const {
    return {.startSignsPerMinute = start_->value(),
            .stepSignsPerMinute = step_->value(),
            .maxErrors = errors_->value()};
}

void ExamView::set(ExamText text, const SpeedExamSettings& settings) {
    text_->setCurrentIndex(int(text));
    start_->setValue(settings.startSignsPerMinute);
    step_->setValue(settings.stepSignsPerMinute);
    errors_->setValue(settings.maxErrors);
}

void ExamView::setResult(const QString& text) {
    trainingstyle::setLabelText(result_, text);
}

void ExamView::setBest(const QString& text) {
    trainingstyle::setLabelText(best_, text);
}

void ExamView::setRunning(bool running) {
    const QString caption =
        running ? QStringLiteral("Следующий блок") : QStringLiteral("Зачёт приёма");
    receive_->setCaption(caption);
    receive_->setAccessibleName(caption);
    text_->setEnabled(!running);
    start_->setEnabled(!running);
    step_->setEnabled(!running);
    errors_->setEnabled(!running);
}

} // namespace kelvatron
