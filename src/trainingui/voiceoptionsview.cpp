#include "trainingui/voiceoptionsview.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

#include "trainingui/trainingstyle.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"

namespace kelvatron {

namespace {

// Left of the compact training panel, within its height.
const QRect kFrame(396, 232, 198, 270);
constexpr int kInner = 178;

} // namespace

VoiceOptionsView::VoiceOptionsView(QWidget* panel, QWidget* window) {
    switch_ = new TglLabel(panel);
    switch_->setObjectName(QStringLiteral("voiceSwitch"));
    switch_->setCaption(QStringLiteral("голос"));
    switch_->setPixelSize(11);
    switch_->setClickable(true);
    switch_->setGeometry(130, 3, 40, 16); // right of the air's, left of the close button
    switch_->setAccessibleName(QStringLiteral("Голос: настройки ответов голосом"));

    frame_ = new TglGroupBox(window);
    frame_->setObjectName(QStringLiteral("voicePanel"));
    frame_->setCaption(QStringLiteral(" Голос"));
    frame_->setGeometry(kFrame);
    frame_->hide();
    close_ = new TglGraphicButton(GlyphKind::Close, frame_);
    close_->setGeometry(kFrame.width() - 19, 2, 17, 17);
    close_->setHint(QStringLiteral("закрыть настройки голоса"));

    moment_ = choice("voiceMoment", QStringLiteral("Ответ голосом"),
                     {QStringLiteral("нет"), QStringLiteral("после каждого знака"),
                      QStringLiteral("после каждой группы"), QStringLiteral("Морзе, ответ, Морзе")},
                     24);
    auto* pauseCaption =
        trainingstyle::panelLabel(QStringLiteral("Пауза до и после ответа"), 11, frame_);
    pauseCaption->setGeometry(10, 80, kInner, 16);
    pause_ = new QSpinBox(frame_);
    pause_->setObjectName(QStringLiteral("voicePause"));
    pause_->setRange(0, 10000);
    pause_->setSingleStep(100);
    pause_->setSuffix(QStringLiteral(" мс"));
    pause_->setGeometry(10, 98, kInner, 24);
    pause_->setAccessibleName(QStringLiteral("Пауза до и после ответа, миллисекунды"));
    digits_ = choice("voiceDigits", QStringLiteral("Группы цифр"),
                     {QStringLiteral("по цифре"), QStringLiteral("числом")}, 130);
    latin_ = choice(
        "voiceLatin", QStringLiteral("Латинские буквы"),
        {QStringLiteral("Анна, Борис, Василий…"), QStringLiteral("Альфа, Браво, Чарли…")}, 186);
    QWidget::setTabOrder(moment_, pause_);
    QWidget::setTabOrder(pause_, digits_);
    air_ = new TglCheckBox(frame_);
    air_->setObjectName(QStringLiteral("voiceThroughAir"));
    air_->setCaption(QStringLiteral(" голос через эфир"));
    air_->setHint(QStringLiteral("ответы звучат сквозь помехи эфира, как и азбука Морзе; "
                                 "без отметки — чисто, поверх помех"));
    air_->setGeometry(6, 236, kInner + 4, 25);
    QWidget::setTabOrder(digits_, latin_);
    QWidget::setTabOrder(latin_, air_);
    QWidget::setTabOrder(air_, close_);
}

QComboBox* VoiceOptionsView::choice(const char* name, const QString& caption,
                                    const QStringList& items, int y) {
    auto* label = trainingstyle::panelLabel(caption, 11, frame_);
    label->setGeometry(10, y, kInner, 16);
    auto* box = new QComboBox(frame_);
    box->setObjectName(QString::fromLatin1(name));
    box->addItems(items);
    box->setStyleSheet(trainingstyle::comboStyleSheet());
    box->setGeometry(10, y + 18, kInner, 26);
    box->setAccessibleName(caption);
    label->setBuddy(box);
    return box;
}

VoiceOptions VoiceOptionsView::options() const {
    VoiceOptions o;
    o.answers.moment = static_cast<AnswerMoment>(moment_->currentIndex());
    o.answers.pauseMs = pause_->value();
    o.reading.digits = static_cast<DigitReading>(digits_->currentIndex());
    o.reading.latin = static_cast<LatinPhonetics>(latin_->currentIndex());
    o.throughAir = air_->isChecked();
    return o;
}

void VoiceOptionsView::setOptions(const VoiceOptions& o) {
    moment_->setCurrentIndex(int(o.answers.moment));
    pause_->setValue(o.answers.pauseMs);
    digits_->setCurrentIndex(int(o.reading.digits));
    latin_->setCurrentIndex(int(o.reading.latin));
    air_->setChecked(o.throughAir);
}

} // namespace kelvatron
