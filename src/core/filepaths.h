#pragma once
#include <optional>
#include <string>

namespace kelvatron {

// The path as the user knows it, made absolute so that a message names the file fully.
std::string fullPath(const std::string& path);

// The folder a file is in; "." for a bare name.
std::string folderOf(const std::string& path);

// A new, empty file in folder that no one else uses, opened for writing; created like an
// ordinary file, so the umask decides its permissions. Returns the descriptor (name set to its
// path) or -1 with errno set.
int createTemporary(const std::string& folder, std::string& name);

// Makes a rename in the folder durable.
void syncFolder(const std::string& folder);

// What stands at the path (through links) when it is something other than a regular file or a
// folder: "канал (FIFO)", "символьное устройство", "блочное устройство", "сокет". Nothing for a
// regular file, a folder or nothing at all. fileKindOf names such a kind from a stat mode.
std::optional<std::string> specialFileAt(const std::string& path);
std::string fileKindOf(unsigned mode);

// Whether the two names lead to one file: the same file through links, "./" or "..", hard
// links, or one name not yet written that a link leads to.
bool sameFile(const std::string& a, const std::string& b);

// The system's sentence for an error number.
std::string systemReason(int err);

} // namespace kelvatron
