#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace kelvatron {

// Why the bytes of a settings file cannot be what the program wrote, for the message at
// start-up: the program writes lines of UTF-8 text, so a control byte (other than tab and line
// breaks) or a byte sequence that is no UTF-8 means the file was damaged. Nothing when the
// bytes are plain text.
std::optional<std::string> settingsTextDamage(std::string_view bytes);

// Why readable text is no settings file at all (another file linked or copied in its place):
// a settings file holds only blank lines, comments, [group] lines and name=value lines, every
// value under a group. Names the first line that is none of these; nothing when all are.
std::optional<std::string> foreignSettingsText(std::string_view text);

// The settings file as a whole, seen before its values are read.
struct SettingsFileCheck {
    enum class Kind {
        Fine,       // missing (the defaults apply, the first save creates it) or settings text
        Unreadable, // cannot be opened or read, or a folder stands in its place
        Damaged,    // bytes the program never writes: read what can be, keep the file aside
        Foreign,    // text that is no settings file: nothing read, kept aside unchanged
        NotAFile,   // a pipe, a device or a socket: never read, never written
    };
    Kind kind = Kind::Fine;
    std::string reason; // the system's reason, or what is wrong with the content
};

// Looks at the file without ever waiting: a pipe or a device is recognised without reading
// from it (a pipe's open would wait for a writer), and only a regular file is read.
SettingsFileCheck inspectSettingsFile(const std::string& path);

// Moves the file aside to name.bak, or name.bak.2, name.bak.3 … when older copies stand there:
// an earlier copy is never replaced. A symbolic link is moved itself; the file it leads to
// stays as it is. Sets keptAs to the new file's name (without folder); nothing or the
// system's reason.
std::optional<std::string> keepSettingsAside(const std::string& path, std::string& keptAs);

// Why the settings file cannot be written, asked of the system step by step as a save needs it:
// the folder made, the file itself writable, a new file made and filled beside it.
std::string settingsUnwritableReason(const std::string& path);

} // namespace kelvatron
