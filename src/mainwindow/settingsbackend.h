#pragma once
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

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
// userSettingsPath().
std::unique_ptr<QSettings> openUserSettings();

// Looks values up in the settings' current group. Only a plain string counts as text.
ValueLookup lookupIn(QSettings& settings);

// Writes one value as a string into the settings' current group.
void writeText(QSettings& settings, std::string_view name, const std::string& text);

// The settings file as a whole, seen before its values are read.
struct SettingsFileCheck {
    enum class Kind { Fine, Unreadable, Damaged };
    Kind kind = Kind::Fine;
    std::string reason; // the system's reason, or what is wrong with the bytes
};

// A missing file is fine: the defaults apply and the first save creates it.
SettingsFileCheck checkSettingsFile(const QString& path);

// Moves the file aside to the same name with ".bak" added, over an older copy; nothing or the
// system's reason.
std::optional<std::string> keepAside(const QString& path);

// Why the settings file cannot be written, asked of the system step by step as a save needs it:
// the folder made, the old file read, a new file made and filled beside it.
std::string whyUnwritable(const QString& path);

} // namespace kelvatron
