#include "mainwindow/settingsbackend.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "settings/settingsfilecheck.h"

namespace kelvatron {

namespace {
QString qtName(std::string_view name) {
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

std::string reason(int err) {
    return std::system_category().message(err);
}

// Makes, fills, flushes and removes a file in the folder; 0 or the error.
int probeFolder(const std::string& folder) {
    std::string name = folder + "/.Project1.conf-XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return errno;
    const char block[4096] = {};
    int err = ::write(fd, block, sizeof block) == ssize_t(sizeof block) ? 0 : errno;
    if (err == 0 && ::fsync(fd) != 0) err = errno;
    ::close(fd);
    ::unlink(name.c_str());
    return err;
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

SettingsFileCheck checkSettingsFile(const QString& path) {
    using Kind = SettingsFileCheck::Kind;
    const QFileInfo info(path);
    if (!info.exists()) return {};
    if (info.isDir()) return {Kind::Unreadable, reason(EISDIR)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {Kind::Unreadable, file.errorString().toStdString()};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {Kind::Unreadable, file.errorString().toStdString()};
    if (std::optional<std::string> damage =
            settingsTextDamage({bytes.data(), size_t(bytes.size())}))
        return {Kind::Damaged, *damage};
    return {};
}

std::optional<std::string> keepAside(const QString& path) {
    const QByteArray from = QFile::encodeName(path);
    const QByteArray to = QFile::encodeName(path + QStringLiteral(".bak"));
    if (::rename(from.constData(), to.constData()) == 0) return std::nullopt;
    return reason(errno);
}

std::string whyUnwritable(const QString& path) {
    const std::filesystem::path file(QFile::encodeName(path).toStdString());
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (ec) return ec.message();
    if (std::filesystem::is_directory(file, ec)) return reason(EISDIR);
    QFile old(path);
    if (old.exists() && !old.open(QIODevice::ReadOnly)) return old.errorString().toStdString();
    if (int err = probeFolder(file.parent_path().string())) return reason(err);
    return "причина неизвестна";
}

} // namespace kelvatron
