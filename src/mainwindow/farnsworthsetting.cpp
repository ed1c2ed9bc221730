#include "mainwindow/farnsworthsetting.h"

#include <QSettings>
#include <QSpinBox>

#include "mainwindow/formkeyingsettings.h"
#include "settings/settingsbackend.h"
#include "trainingui/farnsworthrow.h"
#include "widgets/tglcheckbox.h"

namespace kelvatron {

namespace {

constexpr char kFarnsworthGroup[] = "Farnsworth";
constexpr char kFarnsworthOnKey[] = "on";
constexpr char kFarnsworthEffectiveKey[] = "effective";

void save(const FarnsworthRow& row) {
    std::unique_ptr<QSettings> settings = openUserSettings(kFarnsworthGroup);
    writeText(*settings, kFarnsworthOnKey, row.on() ? "1" : "0");
    writeText(*settings, kFarnsworthEffectiveKey, std::to_string(row.signsPerMinute()));
    settings->endGroup();
    settings->sync();
}

} // namespace

void bindFarnsworthSetting(FarnsworthRow& row, FormKeyingSettings& keying) {
    std::unique_ptr<QSettings> settings = openUserSettings(kFarnsworthGroup);
    bool number = false;
    int spm =
        settings->value(QString::fromLatin1(kFarnsworthEffectiveKey)).toString().toInt(&number);
    if (!number || spm < 5 || spm > 300) spm = 60;
    row.set(settings->value(QString::fromLatin1(kFarnsworthOnKey)).toString() ==
                QStringLiteral("1"),
            spm);
    keying.setEffectiveSignsPerMinute(row.effectiveSignsPerMinute());
    auto changed = [&row, &keying] {
        keying.setEffectiveSignsPerMinute(row.effectiveSignsPerMinute());
        save(row);
    };
    QObject::connect(row.option(), &TglCheckBox::clicked, row.option(), changed);
    QObject::connect(row.speedBox(), &QSpinBox::valueChanged, row.speedBox(), changed);
}

} // namespace kelvatron
