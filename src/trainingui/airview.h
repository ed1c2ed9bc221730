#pragma once
#include <QObject>

#include "audio/airconditions.h"

class QCheckBox;
class QDoubleSpinBox;
class QSpinBox;
class QWidget;

namespace kelvatron {

class TglGraphicButton;
class TglGroupBox;

// The " Эфир" panel: the air's conditions with a switch that turns them all off at once, and
// whether the start button's transmission and the speed test hear them too. Each control has an accessible name
// and says what it does; changed() follows every change a learner makes.
class AirView : public QObject {
    Q_OBJECT
public:
    // The panel lies in `window` at `place`, hidden until shown.
    AirView(QWidget* window, const QRect& place);

    QWidget* frame() const;
    void show(const AirConditions& conditions, bool onTransmission, bool onSpeedTest);
    AirConditions conditions() const;
    bool onTransmission() const;
    bool onSpeedTest() const;

signals:
    void changed();

private:
    QSpinBox* spin(const QString& name, int low, int high, const QString& suffix);
    void enableParts();

    TglGroupBox* frame_;
    TglGraphicButton* close_;
    QCheckBox* on_;
    QCheckBox* noise_;
    QSpinBox* snr_;
    QSpinBox* bandwidth_;
    QDoubleSpinBox* qsb_;
    QSpinBox* qrm_;
    QSpinBox* qrn_;
    QCheckBox* transmission_;
    QCheckBox* speedTest_;
};

} // namespace kelvatron
