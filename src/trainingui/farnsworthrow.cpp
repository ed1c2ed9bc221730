#include "trainingui/farnsworthrow.h"

#include <QLabel>
#include <QSpinBox>

#include "trainingui/trainingstyle.h"
#include "widgets/tglcheckbox.h"

namespace kelvatron {

FarnsworthRow::FarnsworthRow(QWidget* panel, int x, int y, int width) {
    option_ = new TglCheckBox(panel);
    option_->setObjectName(QStringLiteral("farnsworthOption"));
    option_->setCaption(QStringLiteral(" Фарнсворт"));
    option_->setHint(QStringLiteral("знаки звучат со скоростью точки, паузы растянуты до "
                                    "эффективной скорости"));
    option_->setAccessibleName(QStringLiteral("Паузы по Фарнсворту"));
    option_->setGeometry(x - 4, y, 104, 25);
    speed_ = new QSpinBox(panel);
    speed_->setObjectName(QStringLiteral("effectiveSpeed"));
    speed_->setRange(5, 300);
    speed_->setSingleStep(5);
    speed_->setAccessibleName(QStringLiteral("Эффективная скорость, знаков в минуту"));
    speed_->setGeometry(x + 102, y + 2, width - 102, 22);
    wpm_ = trainingstyle::panelLabel(QString(), 11, panel);
    wpm_->setAlignment(Qt::AlignRight);
    wpm_->setGeometry(x, y + 26, width, 16);
    QObject::connect(speed_, &QSpinBox::valueChanged, wpm_, [this] { refreshWpm(); });
    set(false, 60);
}

int FarnsworthRow::effectiveSignsPerMinute() const {
    return on() ? speed_->value() : 0;
}

bool FarnsworthRow::on() const {
    return option_->Checked();
}

int FarnsworthRow::signsPerMinute() const {
    return speed_->value();
}

void FarnsworthRow::set(bool on, int signsPerMinute) {
    option_->setChecked(on);
    speed_->setValue(signsPerMinute);
    refreshWpm();
}

void FarnsworthRow::refreshWpm() {
    const QString text = QStringLiteral("%1 знаков в минуту, %2 WPM")
                             .arg(speed_->value())
                             .arg(speed_->value() / 5.0, 0, 'g', 3);
    wpm_->setText(text);
    speed_->setAccessibleDescription(text);
}

} // namespace kelvatron
