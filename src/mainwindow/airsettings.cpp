#include "mainwindow/airsettings.h"

#include <QSettings>
#include <algorithm>

#include "settings/settingsbackend.h"

namespace kelvatron {

namespace {

double number(QSettings& s, const char* key, double fallback, double low, double high) {
    bool ok = false;
    const double value = s.value(QString::fromLatin1(key)).toString().toDouble(&ok);
    return ok && value >= low && value <= high ? value : fallback;
}

bool flag(QSettings& s, const char* key) {
    return s.value(QString::fromLatin1(key)).toString() == QStringLiteral("1");
}

std::string text(double value) {
    return QString::number(value).toStdString();
}

} // namespace

AirSettings loadAirSettings() {
    std::unique_ptr<QSettings> s = openUserSettings(kAirSettingsGroup);
    AirSettings a;
    AirConditions& c = a.conditions;
    c.on = flag(*s, "on");
    c.noise = flag(*s, "noise");
    c.snrDb = number(*s, "snrDb", c.snrDb, AirConditions::kMinSnrDb, AirConditions::kMaxSnrDb);
    c.bandwidthHz = number(*s, "bandwidthHz", c.bandwidthHz, AirConditions::kMinBandwidthHz,
                           AirConditions::kMaxBandwidthHz);
    c.qsbHz = number(*s, "qsbHz", 0, 0, AirConditions::kMaxQsbHz);
    if (c.qsbHz > 0) c.qsbHz = std::max(c.qsbHz, AirConditions::kMinQsbHz);
    c.qrmStations = static_cast<int>(number(*s, "qrm", 0, 0, AirConditions::kMaxQrmStations));
    c.qrnPercent = static_cast<int>(number(*s, "qrn", 0, 0, AirConditions::kMaxQrnPercent));
    a.onTransmission = flag(*s, "onTransmission");
    a.onSpeedTest = flag(*s, "onSpeedTest");
    return a;
}

void saveAirSettings(const AirSettings& a) {
    std::unique_ptr<QSettings> s = openUserSettings(kAirSettingsGroup);
    const AirConditions& c = a.conditions;
    writeText(*s, "on", c.on ? "1" : "0");
    writeText(*s, "noise", c.noise ? "1" : "0");
    writeText(*s, "snrDb", text(c.snrDb));
    writeText(*s, "bandwidthHz", text(c.bandwidthHz));
    writeText(*s, "qsbHz", text(c.qsbHz));
    writeText(*s, "qrm", text(c.qrmStations));
    writeText(*s, "qrn", text(c.qrnPercent));
    writeText(*s, "onTransmission", a.onTransmission ? "1" : "0");
    writeText(*s, "onSpeedTest", a.onSpeedTest ? "1" : "0");
    s->endGroup();
    s->sync();
}

} // namespace kelvatron
