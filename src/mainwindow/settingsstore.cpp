#include "mainwindow/settingsstore.h"

#include <QFileInfo>
#include <QSettings>
#include <QWidget>

#include "core/dialogs.h"
#include "form/formcontrols.h"
#include "settings/settingsbackend.h"
#include "settings/settingsmending.h"
#include "mainwindow/storedcontrols.h"
#include "settings/settingstext.h"

namespace kelvatron {

namespace {
enum WindowStateValue { Normal = 0, Minimised = 1, Maximised = 2 };
} // namespace

SettingsStore::SettingsStore(FormControls& ui, QWidget& window, Dialogs& dialogs)
    : ui_(ui), window_(window), dialogs_(dialogs) {}

// A file that is not settings as the program writes them is kept aside at once, before any
// panel writes its own values: the next save starts a new file, and the old one stays as it was.
void SettingsStore::load() {
    const QString path = userSettingsPath();
    fileCheck_ = checkSettingsFile(path);
    std::unique_ptr<QSettings> settings = settingsToRead(path, fileCheck_);
    if (fileCheck_.kind == FileKind::Fine && settings->status() == QSettings::FormatError)
        fileCheck_ = {FileKind::Damaged, "не разбирается как файл настроек"};
    settings->beginGroup(QString::fromLatin1(kSettingsSection));
    const std::string values = valuesMessage(loadFrom(*settings));
    settings.reset();
    keptAs_.clear();
    keepAsideError_.clear();
    if (fileCheck_.kind != FileKind::Fine && fileCheck_.kind != FileKind::NotAFile &&
        movableAside(path))
        if (std::optional<std::string> error = keepAside(path, keptAs_))
            keepAsideError_ = *error;
    const std::string message = joinedLines(fileMessage(path), values);
    if (!message.empty()) dialogs_.error(message);
}

LoadProblems SettingsStore::loadFrom(QSettings& settings) {
    const ValueLookup lookup = lookupIn(settings);
    WindowPlace place = currentPlace();
    LoadProblems problems = loadWindowPlace(lookup, place);
    applyPlace(place);

    const PropValues defaults = readControls();
    PropValues values = defaults;
    const LoadProblems propProblems = loadProps(lookup, values);
    problems.insert(problems.end(), propProblems.begin(), propProblems.end());
    mendProps(values, defaults);
    writeControls(values);
    return problems;
}

// Says once, at start-up, what is wrong with the file as a whole, where it is and what becomes
// of it.
std::string SettingsStore::fileMessage(const QString& path) const {
    const std::string where = path.toStdString() + "\n(" + fileCheck_.reason + ").\n";
    switch (fileCheck_.kind) {
    case FileKind::Fine:
        return {};
    case FileKind::Damaged:
        return "Файл настроек повреждён: " + where + "Загружено то, что удалось прочитать. " +
               fateOfOldFile();
    case FileKind::Foreign:
        return "На месте файла настроек другой файл: " + where +
               "Настройки взяты по умолчанию. " + fateOfOldFile();
    case FileKind::Unreadable:
        return "Файл настроек не читается: " + where + "Настройки взяты по умолчанию." +
               (keptAs_.empty() && keepAsideError_.empty() ? "" : " " + fateOfOldFile());
    case FileKind::NotAFile:
        return "Файл настроек — не обычный файл: " + where +
               "Настройки взяты по умолчанию и не будут сохранены. Уберите его, и программа "
               "сохранит настройки в новый файл.";
    }
    return {};
}

std::string SettingsStore::fateOfOldFile() const {
    if (!keepAsideError_.empty())
        return "Отложить его не удалось (" + keepAsideError_ +
               "), поэтому настройки не будут сохранены, чтобы не затереть его.";
    return "Он сохранён без изменений рядом как " + keptAs_ +
           "; при выходе настройки будут записаны в новый файл.";
}

std::string SettingsStore::valuesMessage(const LoadProblems& problems) {
    if (problems.empty()) return {};
    std::string message;
    for (const std::string& line : problems)
        message += line + "\n";
    return message + "Эти настройки остались по умолчанию, остальные загружены.";
}

std::string SettingsStore::joinedLines(const std::string& first, const std::string& second) {
    if (first.empty() || second.empty()) return first + second;
    return first + "\n\n" + second;
}

// Only a file is moved aside; a folder in its place stays, and the save reports it.
bool SettingsStore::movableAside(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() || info.isSymLink();
}

void SettingsStore::save() {
    // Said at start-up: what stands in the file's place is never written over.
    if (fileCheck_.kind == FileKind::NotAFile || !keepAsideError_.empty()) return;
    const QString path = userSettingsPath();
    // The values reach the disk together when the file is synced, so a failure means that none
    // was written: it is reported at the first entry, with the file and the system's reason.
    const auto fail = [&](const std::string& reason) {
        dialogs_.error("Could not save property " + std::string(kProps.front().path) +
                       "\nФайл настроек не записан: " + path.toStdString() + "\n" + reason + ".");
    };
    std::unique_ptr<QSettings> settings = openUserSettings();
    if (!settings->isWritable()) return fail(whyUnwritable(path));
    settings->beginGroup(QString::fromLatin1(kSettingsSection));
    writeTo(*settings);
    settings->endGroup();
    settings->sync();
    if (settings->status() == QSettings::AccessError) fail(whyUnwritable(path));
}

void SettingsStore::writeTo(QSettings& settings) const {
    const PropValues values = readControls();
    for (std::size_t i = 0; i < kPropCount; ++i)
        writeText(settings, kProps[i].path, propText(kProps[i].kind, values[i]));
    const WindowPlace place = currentPlace();
    const int windowValues[] = {place.left, place.top, place.right, place.bottom, place.state};
    for (std::size_t i = 0; i < kWindowValueNames.size(); ++i)
        writeText(settings, kWindowValueNames[i], integerText(windowValues[i]));
}

PropValues SettingsStore::readControls() const {
    return storedValuesOf(ui_);
}

void SettingsStore::writeControls(const PropValues& values) {
    showStoredValues(ui_, values);
}

// The normal-position rectangle, as the window manager keeps it while the window is minimised
// or maximised, and the state.
WindowPlace SettingsStore::currentPlace() const {
    QRect normal = window_.normalGeometry();
    if (!normal.isValid()) normal = window_.geometry();
    WindowPlace place;
    place.left = normal.left();
    place.top = normal.top();
    place.right = normal.left() + normal.width();
    place.bottom = normal.top() + normal.height();
    place.state = window_.isMinimized() ? Minimised : window_.isMaximized() ? Maximised : Normal;
    return place;
}

// The window is centred when it is first shown, which replaces the position; the state is kept
// and takes effect as the window is shown.
void SettingsStore::applyPlace(const WindowPlace& place) {
    window_.move(place.left, place.top);
    Qt::WindowStates states = window_.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (place.state == Minimised) states |= Qt::WindowMinimized;
    if (place.state == Maximised) states |= Qt::WindowMaximized;
    window_.setWindowState(states);
}

} // namespace kelvatron
