#include "settings/settingsfilecheck.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "core/filepaths.h"
#include "core/utf8.h"

namespace kelvatron {

namespace {

// Far more than any settings file the program writes; a link to anything larger is no
// settings file, and is not read whole to find that out.
constexpr std::size_t kLargestSettingsFile = 256u << 20;

bool isControl(char32_t c) {
    return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F;
}

std::string at(const char* what, std::size_t offset, unsigned char byte) {
    char text[96];
    std::snprintf(text, sizeof text, "%s: байт 0x%02X на позиции %zu", what, byte, offset);
    return text;
}

std::string systemText(int err) {
    return std::system_category().message(err);
}

std::string_view trimmedLine(std::string_view line) {
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

// Reads the whole of a regular file, up to one byte beyond the largest; 0 or the error.
int readSettingsBytes(int fd, std::string& out) {
    char buffer[65536];
    while (out.size() <= kLargestSettingsFile) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return 0;
        out.append(buffer, std::size_t(n));
    }
    return 0;
}

SettingsFileCheck checkedContent(const std::string& bytes) {
    using Kind = SettingsFileCheck::Kind;
    if (bytes.size() > kLargestSettingsFile) return {Kind::Foreign, "больше 256 МБ"};
    if (std::optional<std::string> damage = settingsTextDamage(bytes))
        return {Kind::Damaged, *damage};
    if (std::optional<std::string> foreign = foreignSettingsText(bytes))
        return {Kind::Foreign, *foreign};
    return {};
}

// Makes, fills, flushes and removes a file in the folder; 0 or the error.
int probeSettingsFolder(const std::string& folder) {
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

// Renames unless the new name is taken; 0 or the error (EEXIST when taken).
int renameUnlessTaken(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // A file system that cannot refuse to replace: look first.
    struct stat taken {};
    if (::lstat(to.c_str(), &taken) == 0) return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

} // namespace

std::optional<std::string> settingsTextDamage(std::string_view bytes) {
    for (std::size_t pos = 0; pos < bytes.size();) {
        const Utf8Char c = decodeUtf8At(bytes, pos);
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (!c.valid) return at("не текст UTF-8", pos, byte);
        if (isControl(c.codePoint)) return at("двоичные данные", pos, byte);
        pos += c.length;
    }
    return std::nullopt;
}

std::optional<std::string> foreignSettingsText(std::string_view text) {
    bool inGroup = false;
    bool continued = false; // a value whose line ended in a backslash goes on in this line
    std::size_t number = 0;
    for (std::size_t start = 0; start < text.size(); ++number) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = trimmedLine(text.substr(start, end - start));
        start = end + 1;
        const bool value = !continued;
        continued = !line.empty() && line.back() == '\\';
        if (!value || line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] == '[') {
            inGroup = true;
            continue;
        }
        const auto equals = line.find('=');
        if (!inGroup || equals == std::string_view::npos || equals == 0)
            return "строка " + std::to_string(number + 1) + " — не строка настроек";
    }
    return std::nullopt;
}

SettingsFileCheck inspectSettingsFile(const std::string& path) {
    using Kind = SettingsFileCheck::Kind;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        // No file (a file in the folder's place included): the save will say what stops it.
        if (errno == ENOENT || errno == ENOTDIR) return {};
        return {Kind::Unreadable, systemText(errno)};
    }
    if (S_ISDIR(info.st_mode)) return {Kind::Unreadable, systemText(EISDIR)};
    if (!S_ISREG(info.st_mode)) return {Kind::NotAFile, fileKindOf(info.st_mode)};
    // Never waits, even if a pipe took the file's place since it was looked at.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return {Kind::Unreadable, systemText(errno)};
    std::string bytes;
    int err = ::fstat(fd, &info) != 0 ? errno : 0;
    if (err == 0 && !S_ISREG(info.st_mode)) {
        ::close(fd);
        return {Kind::NotAFile, fileKindOf(info.st_mode)};
    }
    if (err == 0) err = readSettingsBytes(fd, bytes);
    ::close(fd);
    if (err != 0) return {Kind::Unreadable, systemText(err)};
    return checkedContent(bytes);
}

std::optional<std::string> keepSettingsAside(const std::string& path, std::string& keptAs) {
    const std::string name = std::filesystem::path(path).filename().string();
    for (int copy = 1; copy < 1000; ++copy) {
        keptAs = name + ".bak";
        if (copy > 1) (keptAs += '.') += std::to_string(copy);
        const int err = renameUnlessTaken(path, path + keptAs.substr(name.size()));
        if (err == 0) return std::nullopt;
        if (err != EEXIST) return systemText(err);
    }
    return systemText(EEXIST);
}

std::string settingsUnwritableReason(const std::string& path) {
    const std::filesystem::path file(path);
    const std::string folder = file.parent_path().string();
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (ec) return ec.message();
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return systemText(EISDIR);
        if (!S_ISREG(info.st_mode))
            return "на его месте " + fileKindOf(info.st_mode) +
                   ": уберите его, и настройки будут сохраняться";
        // Asked with the effective user's rights, as the save itself will be.
        const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            return "нет права записи в сам файл (" + systemText(errno) +
                   "): разрешите её (chmod u+w) или удалите файл";
        ::close(fd);
        const int readable = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (readable < 0) return systemText(errno);
        ::close(readable);
    }
    if (const int err = probeSettingsFolder(folder)) {
        if (err == EACCES || err == EPERM || err == EROFS)
            return "нельзя создать файл в папке " + folder + " (" + systemText(err) +
                   "): разрешите запись в неё";
        return systemText(err);
    }
    return "причина неизвестна";
}

} // namespace kelvatron
