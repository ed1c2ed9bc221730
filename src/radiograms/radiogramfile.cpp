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

// The largest old content an in-place save holds in memory to put back on failure.
constexpr std::size_t kLargestKeptContent = 64 * 1024 * 1024;

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

// The file a symbolic link leads to, through a chain of links; a link that leads nowhere gives
// the name the missing file is created under, so the link stays and leads to the saved text.
std::string linkTarget(const std::string& path) {
    namespace fs = std::filesystem;
    fs::path current = path;
    for (int hop = 0; hop < 40; ++hop) { // the system's own limit; a loop fails at the open
        std::error_code ec;
        if (!fs::is_symlink(current, ec)) break;
        fs::path next = fs::read_symlink(current, ec);
        if (ec) break;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return current.string();
}

// A replaced file keeps its owner (where the system allows it) and its permissions.
void copyOwnerAndMode(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Only root may give a file to someone else; otherwise it belongs to whoever saves it.
    }
    ::fchmod(fd, old.st_mode & 07777);
}

// Devices and pipes cannot be replaced by renaming, and must not be: their content is written
// to them as to any open file.
int writeStream(int fd, std::string_view bytes) {
    makeBlocking(fd);
    int err = writeAll(fd, bytes);
    int closeErr = ::close(fd);
    return err != 0 ? err : (closeErr == 0 ? 0 : errno);
}

// Room for the new content before anything is overwritten, so that a full disk or the size limit
// usually changes nothing; a file system that cannot reserve space is simply written.
int reserve(int fd, std::size_t size) {
    int err = ::posix_fallocate(fd, 0, static_cast<off_t>(size));
    return err == EOPNOTSUPP || err == EINVAL ? 0 : err;
}

// Truncates to the content and writes it from the start; 0 or the error.
int putContent(int fd, std::string_view bytes) {
    if (::lseek(fd, 0, SEEK_SET) != 0) return errno;
    if (int err = writeAll(fd, bytes)) return err;
    if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) return errno;
    return ::fsync(fd) == 0 ? 0 : errno;
}

// Writes over the file itself (created if missing): for a file with other hard links, which must
// all see the new text, and where no temporary file can be made beside it. The old content, when
// it can be read, is put back if the new one cannot be written whole.
int overwriteInPlace(const std::string& target, std::string_view bytes) {
    constexpr int flags = O_CREAT | O_NOCTTY | O_CLOEXEC;
    int fd = ::open(target.c_str(), O_RDWR | flags, 0666);
    const bool readable = fd >= 0;
    if (!readable) fd = ::open(target.c_str(), O_WRONLY | flags, 0666);
    FileDescriptor file(fd);
    if (file.get() < 0) return errno;
    std::string old;
    const bool keepsOld = readable && readUpTo(fd, kLargestKeptContent, old) == 0 &&
                          old.size() <= kLargestKeptContent;
    int err = reserve(fd, bytes.size());
    if (err == 0) err = putContent(fd, bytes);
    if (err != 0 && keepsOld) putContent(fd, old);
    const int closeErr = file.close();
    return err != 0 ? err : closeErr;
}

// Writes the whole content beside the target and renames it over the target only once it is on
// disk; 0 or the error, with the temporary file removed.
int replaceAtomically(const std::string& target, std::string_view bytes, const struct stat* old) {
    std::string folder = folderOf(target);
    std::string temporary;
    FileDescriptor file(createTemporary(folder, temporary));
    // A folder the user may not write can still hold a file they may write.
    if (file.get() < 0) return overwriteInPlace(target, bytes);
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
    const std::string target = linkTarget(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return cannotCreate(path, errno);
    int err = 0;
    if (exists) {
        // Ask the system whether this user may write over the file, as a plain create would:
        // a read-only file is refused before anything is written.
        int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) return cannotCreate(path, errno);
        if (!S_ISREG(old.st_mode)) {
            err = writeStream(fd, bytes);
            return err != 0 ? cannotCreate(path, err) : RadiogramResult{};
        }
        ::close(fd);
    }
    if (exists && old.st_nlink > 1)
        err = overwriteInPlace(target, bytes);
    else
        err = replaceAtomically(target, bytes, exists ? &old : nullptr);
    return err != 0 ? cannotCreate(path, err) : RadiogramResult{};
}

RadiogramResult saveRadiogram(const std::string& path, std::string_view utf8) {
    RadiogramResult encoded = encodeRadiogram(utf8);
    if (!encoded.ok()) return encoded;
    return writeRadiogram(path, encoded.text);
}

} // namespace kelvatron
