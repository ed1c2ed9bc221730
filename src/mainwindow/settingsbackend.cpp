#include "mainwindow/settingsbackend.h"

#include <QSettings>
#include <QStandardPaths>

namespace kelvatron {

namespace {
QString qtName(std::string_view name) {
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}
} // namespace

QString userSettingsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Home/Project1.conf");
}

std::unique_ptr<QSettings> openUserSettings() {
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Home"), QStringLiteral("Project1"));
#else
    // Named explicitly rather than through the user scope: Qt fixes the user scope's folder the
    // first time it is used, and the file must follow $XDG_CONFIG_HOME as it is now.
    return std::make_unique<QSettings>(userSettingsPath(), QSettings::IniFormat);
#endif
}

ValueLookup lookupIn(QSettings& settings) {
    return [&settings](std::string_view name) -> std::optional<StoredValue> {
        const QVariant value = settings.value(qtName(name));
        if (!value.isValid()) return std::nullopt;
        if (value.typeId() != QMetaType::QString) return StoredValue{false, {}};
        return StoredValue{true, value.toString().toStdString()};
    };
}

void writeText(QSettings& settings, std::string_view name, const std::string& text) {
    settings.setValue(qtName(name), QString::fromStdString(text));
}

} // namespace kelvatron
