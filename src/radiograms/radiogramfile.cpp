#include "radiograms/radiogramfile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "core/filepaths.h"
#include "radiograms/radiogramcodec.h"

namespace kelvatron {
namespace {

// Closes the descriptor it holds when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    // Closes now and reports the error a delayed write may only show here.
    int close() {
        int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

RadiogramResult cannotOpen(const std::string& path, int err) {
    return {RadiogramError::CannotOpen,
            "Cannot open file \"" + fullPath(path) + "\". " + systemReason(err),
            {}};
}

RadiogramResult cannotCreate(const std::string& path, int err) {
    return {RadiogramError::CannotCreate,
            "Cannot create file \"" + fullPath(path) + "\". " + systemReason(err),
            {}};
}

// Reads until the end or until more than limit bytes stand; 0 or the error.
int readUpTo(int fd, std::size_t limit, std::string& out) {
    char buffer[65536];
    while (out.size() <= limit) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return 0;
        out.append(buffer, static_cast<std::size_t>(n));
    }
    return 0;
}

// 0 or the error.
int writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

// A blocking descriptor again after an open that must not wait (a pipe without a partner).
void makeBlocking(int fd) {
    int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
}

// A symbolic link is saved through: the file it names is replaced, the link stays.
std::string resolveLink(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec)) return path;
    std::filesystem::path target = std::filesystem::canonical(path, ec);
    return ec ? path : target.string();
}

// A replaced file keeps its owner (where the system allows it) and its permissions.
void copyOwnerAndMode(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Only root may give a file to someone else; otherwise it belongs to whoever saves it.
    }
    ::fchmod(fd, old.st_mode & 07777);
}

// Writes the whole content beside the target and renames it over the target only once it is on
// disk; 0 or the error, with the temporary file removed.
int replaceAtomically(const std::string& target, std::string_view bytes, const struct stat* old) {
    std::string folder = folderOf(target);
    std::string temporary;
    FileDescriptor file(createTemporary(folder, temporary));
    if (file.get() < 0) return errno;
    if (old) copyOwnerAndMode(file.get(), *old);
    int err = writeAll(file.get(), bytes);
    if (err == 0 && ::fsync(file.get()) != 0) err = errno;
    int closeErr = file.close();
    if (err == 0) err = closeErr;
    if (err == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(temporary.c_str());
        return err;
    }
    syncFolder(folder);
    return 0;
}

// Devices and pipes cannot be replaced by renaming, and must not be: their content is written
// to them as to any open file.
int writeInPlace(int fd, std::string_view bytes) {
    makeBlocking(fd);
    int err = writeAll(fd, bytes);
    int closeErr = ::close(fd);
    return err != 0 ? err : (closeErr == 0 ? 0 : errno);
}

} // namespace

RadiogramResult readRadiogram(const std::string& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) return cannotOpen(path, errno);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) return cannotOpen(path, errno);
    if (S_ISDIR(info.st_mode)) return cannotOpen(path, EISDIR);
    makeBlocking(file.get());

    std::string bytes;
    if (S_ISREG(info.st_mode))
        bytes.reserve(std::min(static_cast<std::size_t>(info.st_size), kRadiogramMaxBytes + 1));
    if (int err = readUpTo(file.get(), kRadiogramMaxBytes, bytes)) return cannotOpen(path, err);
    return decodeRadiogram(bytes, fullPath(path));
}

RadiogramResult writeRadiogram(const std::string& path, std::string_view bytes) {
    std::string target = resolveLink(path);
    struct stat old {};
    bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return cannotCreate(path, errno);
    if (exists) {
        // Ask the system whether this user may write over the file, as a plain create would:
        // a read-only file is refused before anything is written.
        int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) return cannotCreate(path, errno);
        if (!S_ISREG(old.st_mode)) {
            if (int err = writeInPlace(fd, bytes)) return cannotCreate(path, err);
            return {};
        }
        ::close(fd);
    }
    if (int err = replaceAtomically(target, bytes, exists ? &old : nullptr))
        return cannotCreate(path, err);
    return {};
}

RadiogramResult saveRadiogram(const std::string& path, std::string_view utf8) {
    RadiogramResult encoded = encodeRadiogram(utf8);
    if (!encoded.ok()) return encoded;
    return writeRadiogram(path, encoded.text);
}

} // namespace kelvatron
