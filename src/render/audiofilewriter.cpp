#include "render/audiofilewriter.h"

#include <algorithm>
#include <cerrno>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/filepaths.h"

namespace kelvatron {

// The temporary file's descriptor, and the first system error libsndfile met through it (which
// libsndfile itself reports only as a short write).
struct AudioFileWriter::Io {
    int fd = -1;
    int error = 0;
};

namespace {

using Io = AudioFileWriter::Io;

sf_count_t ioLength(void* user) {
    struct stat info {};
    return ::fstat(static_cast<Io*>(user)->fd, &info) == 0 ? info.st_size : -1;
}

sf_count_t ioSeek(sf_count_t offset, int whence, void* user) {
    return ::lseek(static_cast<Io*>(user)->fd, offset, whence);
}

sf_count_t ioRead(void* to, sf_count_t count, void* user) {
    auto* io = static_cast<Io*>(user);
    sf_count_t done = 0;
    while (done < count) {
        ssize_t n =
            ::read(io->fd, static_cast<char*>(to) + done, static_cast<size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

sf_count_t ioWrite(const void* from, sf_count_t count, void* user) {
    auto* io = static_cast<Io*>(user);
    sf_count_t done = 0;
    while (done < count) {
        ssize_t n = ::write(io->fd, static_cast<const char*>(from) + done,
                            static_cast<size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            if (io->error == 0) io->error = errno;
            break;
        }
        done += n;
    }
    return done;
}

sf_count_t ioTell(void* user) {
    return ::lseek(static_cast<Io*>(user)->fd, 0, SEEK_CUR);
}

SF_VIRTUAL_IO kVirtualIo = {ioLength, ioSeek, ioRead, ioWrite, ioTell};

std::string inQuotes(const std::string& path) {
    std::string text = fullPath(path);
    text.insert(text.begin(), '"');
    text.push_back('"');
    return text;
}

} // namespace

AudioFileWriter::AudioFileWriter(std::string path, uint32_t sourceRate, int64_t longestSamples)
    : path_(std::move(path)), io_(std::make_unique<Io>()) {
    if (!open(sourceRate, longestSamples)) abandon();
}

AudioFileWriter::~AudioFileWriter() {
    abandon();
}

bool AudioFileWriter::open(uint32_t sourceRate, int64_t longestSamples) {
    const auto format = audioFormatForPath(path_);
    if (!format) {
        fail("Не удаётся записать звук в файл " + inQuotes(path_) +
             ": формат файла не известен по его расширению. Звук записывается в файлы " +
             std::string(audioExtensionList()) + ".");
        return false;
    }
    // The finished file is renamed over the target, which would put a file in the place of a pipe
    // or a device rather than write to it.
    if (std::optional<std::string> kind = specialFileAt(path_)) {
        fail("Не удаётся записать звук в файл " + inQuotes(path_) + ": это " + *kind +
             ", а звук записывается только в обычный файл. Укажите имя файла.");
        return false;
    }
    io_->fd = createTemporary(folderOf(path_), temporary_);
    if (io_->fd < 0) {
        temporary_.clear();
        failWithReason("Не удаётся создать файл ", errno);
        return false;
    }
    fileRate_ = fileRateFor(*format, sourceRate);
    if (fileRate_ != sourceRate) resampler_.emplace(sourceRate, fileRate_);
    SF_INFO info{};
    info.samplerate = static_cast<int>(fileRate_);
    info.channels = 1;
    const double longestFileSamples =
        double(std::max<int64_t>(longestSamples, 0)) * fileRate_ / sourceRate;
    info.format = sndfileFormatOf(*format, uint64_t(longestFileSamples) * sizeof(int16_t));
    plainWav_ = (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAV;
    file_ = sf_open_virtual(&kVirtualIo, SFM_WRITE, &info, io_.get());
    if (!file_) {
        if (io_->error != 0)
            failWithReason("Не удаётся записать файл ", io_->error);
        else
            fail("Не удаётся записать звук в файл " + inQuotes(path_) + ". " +
                 sf_strerror(nullptr));
        return false;
    }
    // RF64 only when the sound needs it; a shorter one is finished as plain WAV.
    if ((info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_RF64)
        sf_command(file_, SFC_RF64_AUTO_DOWNGRADE, nullptr, SF_TRUE);
    tuneEncoder(*format);
    return true;
}

// A keyed tone is one frequency and silence: Opus at 32 kbit/s, Vorbis at quality 0.1 and MP3 at
// a low variable rate carry it without audible loss in files a quarter to a third smaller than
// the encoders' defaults; Vorbis also encodes a third faster so.
void AudioFileWriter::tuneEncoder(AudioFormat format) {
    if (format == AudioFormat::OggOpus) {
        double level = 1.0 - (32000.0 - 6000.0) / 250000.0; // libsndfile's level-to-bitrate rule
        sf_command(file_, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
    }
    if (format == AudioFormat::OggVorbis) {
        double level = 0.9; // libsndfile's level-to-quality rule: quality 0.1
        sf_command(file_, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
    }
    if (format == AudioFormat::Mp3) {
        int mode = SF_BITRATE_MODE_VARIABLE;
        sf_command(file_, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
        double level = 0.8;
        sf_command(file_, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
    }
}

void AudioFileWriter::fail(std::string message) {
    if (error_.empty()) error_ = std::move(message);
}

void AudioFileWriter::failWithReason(const char* what, int err) {
    fail(what + inQuotes(path_) + ". " + systemReason(err));
}

bool AudioFileWriter::stopIfCancelled() {
    if (!cancelRequested_ || !ok()) return !ok();
    fail("Запись файла " + inQuotes(path_) + " отменена.");
    abandon();
    return true;
}

void AudioFileWriter::write(std::span<const int16_t> samples) {
    if (stopIfCancelled() || !file_) return;
    if (!resampler_) return encode(samples);
    resampled_.clear();
    resampler_->push(samples, resampled_);
    encode(resampled_);
}

// In pieces: libvorbis crashes on a few million samples handed over at once (a long tone).
void AudioFileWriter::encode(std::span<const int16_t> samples) {
    constexpr size_t kPiece = 8192;
    if (plainWav_ && (wavBytes_ += samples.size_bytes()) > kLargestWavData) {
        fail("Не удаётся записать звук в файл " + inQuotes(path_) +
             ": он длиннее, чем вмещает файл WAV (4 ГБ). Запишите его в .flac или сократите "
             "упражнение.");
        return abandon();
    }
    for (size_t at = 0; at < samples.size() && file_; at += kPiece) {
        const auto count = static_cast<sf_count_t>(std::min(kPiece, samples.size() - at));
        if (sf_write_short(file_, samples.data() + at, count) == count) continue;
        if (io_->error != 0)
            failWithReason("Не удаётся записать файл ", io_->error);
        else
            fail("Не удаётся записать звук в файл " + inQuotes(path_) + ". " + sf_strerror(file_));
        abandon();
    }
}

bool AudioFileWriter::commit() {
    if (stopIfCancelled() || !file_) return false;
    if (resampler_) {
        resampled_.clear();
        resampler_->finish(resampled_);
        encode(resampled_);
        if (!ok()) return false;
    }
    // Closing writes the encoder's last pages and the header's lengths.
    int closeError = sf_close(file_);
    file_ = nullptr;
    if (closeError != 0 || io_->error != 0) {
        if (io_->error != 0)
            failWithReason("Не удаётся записать файл ", io_->error);
        else
            fail("Не удаётся записать звук в файл " + inQuotes(path_) + ". " +
                 sf_error_number(closeError));
        abandon();
        return false;
    }
    int err = ::fsync(io_->fd) == 0 ? 0 : errno;
    if (::close(io_->fd) != 0 && err == 0) err = errno;
    io_->fd = -1;
    if (err == 0 && ::rename(temporary_.c_str(), path_.c_str()) != 0) err = errno;
    if (err != 0) {
        failWithReason("Не удаётся записать файл ", err);
        abandon();
        return false;
    }
    temporary_.clear();
    syncFolder(folderOf(path_));
    return true;
}

// Drops whatever is unfinished: the encoder, the descriptor and the temporary file.
void AudioFileWriter::abandon() {
    if (file_) sf_close(file_);
    file_ = nullptr;
    if (io_->fd >= 0) ::close(io_->fd);
    io_->fd = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
}

} // namespace kelvatron
