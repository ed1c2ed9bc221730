#include "trainingui/airview.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QSpinBox>

#include "widgets/tglgraphicbutton.h"
#include "widgets/tglgroupbox.h"

namespace kelvatron {

namespace {

QCheckBox* option(const QString& text, const QString& name, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setAccessibleName(name);
    return box;
}

} // namespace

AirView::AirView(QWidget* window, const QRect& place) : frame_(new TglGroupBox(window)) {
    frame_->setObjectName(QStringLiteral("airPanel"));
    frame_->setCaption(QStringLiteral(" Эфир"));
    frame_->setGeometry(place);
    close_ = new TglGraphicButton(GlyphKind::Close, frame_);
    close_->setGeometry(place.width() - 19, 2, 17, 17);
    close_->setHint(QStringLiteral("закрыть эфир"));
    connect(close_, &TglGraphicButton::clicked, frame_, &QWidget::hide);

    auto* form = new QFormLayout(frame_);
    form->setContentsMargins(8, 22, 8, 6);
    form->setVerticalSpacing(2);
    on_ = option(QStringLiteral("Условия эфира"), QStringLiteral("условия эфира включены"), frame_);
    noise_ = option(QStringLiteral("Шум, с/ш"), QStringLiteral("шум включён"), frame_);
    snr_ = spin(QStringLiteral("отношение сигнал/шум, дБ"), -10, 30, QStringLiteral(" дБ"));
    bandwidth_ = spin(QStringLiteral("полоса фильтра приёмника, Гц"), 100, 3000, QStringLiteral(" Гц"));
    bandwidth_->setSingleStep(50);
    qsb_ = new QDoubleSpinBox(frame_);
    qsb_->setRange(0, AirConditions::kMaxQsbHz);
    qsb_->setSingleStep(0.05);
    qsb_->setSuffix(QStringLiteral(" Гц"));
    qsb_->setSpecialValueText(QStringLiteral("нет"));
    qsb_->setAccessibleName(QStringLiteral("частота замираний, Гц; ноль — без замираний"));
    qrm_ = spin(QStringLiteral("мешающие станции"), 0, AirConditions::kMaxQrmStations, {});
    qrn_ = spin(QStringLiteral("атмосферные помехи, процентов"), 0, 100, QStringLiteral(" %"));
    transmission_ = option(QStringLiteral("И при «Пуск»"),
                           QStringLiteral("условия эфира и при передаче кнопкой Пуск"), frame_);
    form->addRow(on_);
    form->addRow(noise_, snr_);
    form->addRow(QStringLiteral("Фильтр"), bandwidth_);
    form->addRow(QStringLiteral("QSB"), qsb_);
    form->addRow(QStringLiteral("QRM"), qrm_);
    form->addRow(QStringLiteral("QRN"), qrn_);
    speedTest_ = option(QStringLiteral("И в проверке скорости"),
                        QStringLiteral("условия эфира и в проверке скорости приёма"), frame_);
    form->addRow(transmission_);
    form->addRow(speedTest_);
    for (QCheckBox* box : {on_, noise_, transmission_, speedTest_})
        connect(box, &QCheckBox::toggled, this, [this] { enableParts(), emit changed(); });
    for (QSpinBox* box : {snr_, bandwidth_, qrm_, qrn_})
        connect(box, &QSpinBox::valueChanged, this, &AirView::changed);
    connect(qsb_, &QDoubleSpinBox::valueChanged, this, &AirView::changed);
    frame_->hide();
}

QSpinBox* AirView::spin(const QString& name, int low, int high, const QString& suffix) {
    auto* box = new QSpinBox(frame_);
    box->setRange(low, high);
    box->setSuffix(suffix);
    box->setAccessibleName(name);
    return box;
}

// Off, the conditions stay as set but cannot be changed by mistake.
void AirView::enableParts() {
    for (QWidget* part : std::initializer_list<QWidget*>{noise_, bandwidth_, qsb_, qrm_, qrn_, transmission_,
                                                            speedTest_})
        part->setEnabled(on_->isChecked());
    snr_->setEnabled(on_->isChecked() && noise_->isChecked());
}

QWidget* AirView::frame() const {
    return frame_;
}

void AirView::show(const AirConditions& c, bool onTransmission, bool onSpeedTest) {
    const QSignalBlocker quiet(this);
    on_->setChecked(c.on);
    noise_->setChecked(c.noise);
    snr_->setValue(static_cast<int>(c.snrDb));
    bandwidth_->setValue(static_cast<int>(c.bandwidthHz));
    qsb_->setValue(c.qsbHz);
    qrm_->setValue(c.qrmStations);
    qrn_->setValue(c.qrnPercent);
    transmission_->setChecked(onTransmission);
    speedTest_->setChecked(onSpeedTest);
    enableParts();
    frame_->show();
    frame_->raise();
}

AirConditions AirView::conditions() const {
    AirConditions c;
    c.on = on_->isChecked();
    c.noise = noise_->isChecked();
    c.snrDb = snr_->value();
    c.bandwidthHz = bandwidth_->value();
    // Slower than the slowest fading is none.
    c.qsbHz = qsb_->value() < AirConditions::kMinQsbHz ? 0 : qsb_->value();
    c.qrmStations = qrm_->value();
    c.qrnPercent = qrn_->value();
    return c;
}

bool AirView::onTransmission() const {
    return transmission_->isChecked();
}

bool AirView::onSpeedTest() const {
    return speedTest_->isChecked();
}

} // namespace kelvatron
