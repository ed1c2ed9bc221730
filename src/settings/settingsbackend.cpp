#include "settings/settingsbackend.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>

namespace kelvatron {

namespace {
QString qtName(std::string_view name) {
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

std::string localName(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Reads nothing and can never write: a file under /dev/null cannot exist, nor can its folder
// be made, whoever runs the program.
std::unique_ptr<QSettings> emptySettings() {
    return std::make_unique<QSettings>(QStringLiteral("/dev/null/Project1.conf"),
                                       QSettings::IniFormat);
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
    const QString path = userSettingsPath();
    if (checkSettingsFile(path).kind != SettingsFileCheck::Kind::Fine) return emptySettings();
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
#endif
}

std::unique_ptr<QSettings> openUserSettings(const char* group) {
    std::unique_ptr<QSettings> settings = openUserSettings();
    settings->beginGroup(QString::fromLatin1(group));
    return settings;
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

SettingsFileCheck checkSettingsFile(const QString& path) {
    return inspectSettingsFile(localName(path));
}

std::unique_ptr<QSettings> settingsToRead(const QString& path, const SettingsFileCheck& check) {
    using Kind = SettingsFileCheck::Kind;
    if (check.kind != Kind::Fine && check.kind != Kind::Damaged) return emptySettings();
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

std::optional<std::string> keepAside(const QString& path, std::string& keptAs) {
    return keepSettingsAside(localName(path), keptAs);
}

std::string whyUnwritable(const QString& path) {
    return settingsUnwritableReason(localName(path));
}

} // namespace kelvatron
