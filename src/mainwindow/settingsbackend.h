#pragma once
#include <QString>
#include <memory>
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

} // namespace kelvatron
