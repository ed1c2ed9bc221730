#include "core/filepaths.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace kelvatron {

std::string fullPath(const std::string& path) {
    if (path.empty()) return path;
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.string();
}

std::string folderOf(const std::string& path) {
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

int createTemporary(const std::string& folder, std::string& name) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "/.kelvatron-save-" + std::to_string(::getpid()) + "-" +
               std::to_string(counter++) + ".tmp";
        int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

void syncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

std::optional<std::string> specialFileAt(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode) || S_ISDIR(info.st_mode))
        return std::nullopt;
    return fileKindOf(info.st_mode);
}

std::string fileKindOf(unsigned mode) {
    if (S_ISFIFO(mode)) return "канал (FIFO)";
    if (S_ISCHR(mode)) return "символьное устройство";
    if (S_ISBLK(mode)) return "блочное устройство";
    if (S_ISSOCK(mode)) return "сокет";
    return S_ISDIR(mode) ? "папка" : "обычный файл";
}

namespace {
// The name a chain of links ends at (a link that leads nowhere gives the name it would create),
// made absolute with its folders resolved.
std::filesystem::path resolvedName(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path current = fs::absolute(path, ec);
    for (int hop = 0; hop < 40 && fs::is_symlink(current, ec); ++hop) {
        const fs::path next = fs::read_symlink(current, ec);
        if (ec) break;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    const fs::path resolved = fs::weakly_canonical(current, ec);
    return ec ? current.lexically_normal() : resolved;
}
} // namespace

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {}, second {};
    if (::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    return resolvedName(a) == resolvedName(b);
}

std::string systemReason(int err) {
    return std::system_category().message(err);
}

} // namespace kelvatron
