#pragma once
#include <array>

#include "settings/settingsbackend.h"
#include "settings/settingsloader.h"

class QSettings;
class QString;
class QWidget;

namespace kelvatron {

struct FormControls;
class Dialogs;

// Keeps the settings of the window's controls (the kProps entries) and the window's placement per
// user between runs: loaded once before the window is first shown, saved once as the program ends.
class SettingsStore {
public:
    SettingsStore(FormControls& ui, QWidget& window, Dialogs& dialogs);

    // Once, before the window is first shown. Values off the steppers' grid or range, and
    // contradictory choices, are mended as they are loaded.
    void load();
    // Once, as the program ends.
    void save();

    // The persisted values as the controls hold them now, in kProps order.
    PropValues readControls() const;
    void writeControls(const PropValues& values);

private:
    WindowPlace currentPlace() const;
    void applyPlace(const WindowPlace& place);
    LoadProblems loadFrom(QSettings& settings);
    std::string fileMessage(const QString& path) const;
    std::string fateOfOldFile() const;
    static std::string valuesMessage(const LoadProblems& problems);
    static std::string joinedLines(const std::string& first, const std::string& second);
    static bool movableAside(const QString& path);
    void writeTo(QSettings& settings) const;

    FormControls& ui_;
    QWidget& window_;
    Dialogs& dialogs_;
    using FileKind = SettingsFileCheck::Kind;
    // What the file was at start: a damaged, foreign or unreadable one is moved aside at once
    // (keptAs_ its new name) and the settings go into a new file; a pipe or a device, or a file
    // that could not be moved (keepAsideError_), is never written.
    SettingsFileCheck fileCheck_;
    std::string keptAs_;
    std::string keepAsideError_;
};

} // namespace kelvatron
