#pragma once
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "settings/settingsfilecheck.h"
#include "settings/settingsloader.h"

class QSettings;

namespace kelvatron {

// The section under which the window keeps its values: the window's name.
inline constexpr char kSettingsSection[] = "Form1";

// The per-user settings file on Linux and other Unix systems: Home/Project1.conf in the user's
// configuration folder ($XDG_CONFIG_HOME, else ~/.config), looked up afresh on every call.
QString userSettingsPath();

// The per-user store of the program's settings, positioned at the start (no group). On Windows
// this is the registry key HKEY_CURRENT_USER\Software\Home\Project1; elsewhere the INI file at
// userSettingsPath() when it holds settings or is missing. Anything else there (a pipe, a
// device, another file linked or copied in its place, a damaged file) is never written over:
// the store is then an empty one that reads and writes nothing.
std::unique_ptr<QSettings> openUserSettings();
// The same store positioned in one group of its own (a panel's settings beside "Form1").
std::unique_ptr<QSettings> openUserSettings(const char* group);

// Looks values up in the settings' current group. Only a plain string counts as text.
ValueLookup lookupIn(QSettings& settings);

// Writes one value as a string into the settings' current group.
void writeText(QSettings& settings, std::string_view name, const std::string& text);

// The settings file at path as a whole, seen before its values are read, without ever waiting
// on it (see inspectSettingsFile).
SettingsFileCheck checkSettingsFile(const QString& path);

// A store for reading the file as the check found it: the file itself when it is one to read
// (settings, or damaged ones), else an empty store that reads and writes nothing.
std::unique_ptr<QSettings> settingsToRead(const QString& path, const SettingsFileCheck& check);

// Moves the file aside (see keepSettingsAside); nothing or the system's reason.
std::optional<std::string> keepAside(const QString& path, std::string& keptAs);

// Why the settings file cannot be written (see settingsUnwritableReason).
std::string whyUnwritable(const QString& path);

} // namespace kelvatron
