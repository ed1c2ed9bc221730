#include "app/commandlineexport.h"

#include <QCoreApplication>
#include <QSettings>
#include <iostream>
#include <unistd.h>
#include <vector>

#include "mainwindow/settingsbackend.h"
#include "render/exportcommand.h"
#include "settings/settingsdefaults.h"
#include "settings/settingsmending.h"

namespace kelvatron {

namespace {

std::vector<std::string_view> argumentsOf(int argc, char** argv) {
    return {argv + 1, argv + argc};
}

// The stored values as the window would load them; what cannot be read keeps its default and
// is named on stderr, as the window names it at start-up. The file is only read, and only when
// it is a regular file: a pipe in its place would hold the export up for ever.
PropValues storedValues() {
    PropValues values = kLayoutDefaults;
    const QString path = userSettingsPath();
    const SettingsFileCheck check = checkSettingsFile(path);
    if (check.kind != SettingsFileCheck::Kind::Fine)
        std::cerr << "Файл настроек " << path.toStdString() << ": " << check.reason << ".\n"
                  << (check.kind == SettingsFileCheck::Kind::Damaged
                          ? "Взято то, что удалось прочитать.\n"
                          : "Взяты значения по умолчанию.\n");
    std::unique_ptr<QSettings> settings = settingsToRead(path, check);
    settings->beginGroup(QString::fromLatin1(kSettingsSection));
    for (const std::string& problem : loadProps(lookupIn(*settings), values))
        std::cerr << problem << " Взято значение по умолчанию.\n";
    mendProps(values, kLayoutDefaults);
    return values;
}

} // namespace

bool isExportCommandLine(int argc, char** argv) {
    const std::vector<std::string_view> args = argumentsOf(argc, argv);
    return isExportCommandLine(std::span<const std::string_view>(args));
}

int runCommandLineExport(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kelvatron"));
    QCoreApplication::setOrganizationName(QStringLiteral("Home"));
    const std::vector<std::string_view> args = argumentsOf(argc, argv);
    return runExportCommand(args, storedValues(), std::cout, std::cerr, ::isatty(STDERR_FILENO));
}

} // namespace kelvatron
