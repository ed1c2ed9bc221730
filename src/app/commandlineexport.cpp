#include "app/commandlineexport.h"

#include <QCoreApplication>
#include <QSettings>
#include <csignal>
#include <iostream>
#include <unistd.h>
#include <vector>

#include "cli/exportcommand.h"
#include "core/terminationrequest.h"
#include "mainwindow/airsettings.h"
#include "platform/espeaksynthesizer.h"
#include "settings/settingsbackend.h"
#include "settings/settingsdefaults.h"
#include "settings/settingsmending.h"

namespace kelvatron {

namespace {

std::vector<std::string_view> argumentsOf(int argc, char** argv) {
    return {argv + 1, argv + argc};
}

volatile std::sig_atomic_t caughtSignal = 0;
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Only what a handler may do: the number kept and the termination request raised. The render
// sees the request at its next sign, stops, and removes its unfinished file.
void onEndingSignal(int signal) {
    caughtSignal = signal;
    raiseTerminationRequest();
}

// A signal the caller ignores (nohup's hang-up) stays ignored.
void catchEndingSignals() {
    struct sigaction action {};
    action.sa_handler = onEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kEndingSignals) {
        struct sigaction old {};
        if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
        ::sigaction(signal, &action, nullptr);
    }
}

// Ends as the signal itself would have, once the unfinished file is gone: a shell sees 128 plus
// its number, and a loop of exports stops at Ctrl+C.
int endBySignal(int signal) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    return 128 + signal;
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
    catchEndingSignals();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kelvatron"));
    QCoreApplication::setOrganizationName(QStringLiteral("Home"));
    const std::vector<std::string_view> args = argumentsOf(argc, argv);
    const int status =
        runExportCommand(args, storedValues(), std::cout, std::cerr, ::isatty(STDERR_FILENO),
                         loadAirSettings().conditions,
                         [] { return std::make_unique<EspeakSynthesizer>(); });
    std::cout.flush();
    return caughtSignal != 0 ? endBySignal(caughtSignal) : status;
}

} // namespace kelvatron
