#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "render/arearesampler.h"
#include "render/audioformat.h"
#include "render/samplesink.h"

struct sf_private_tag;

namespace kelvatron {

// Writes a mono stream of samples into an audio file through libsndfile, the format following
// the file's extension (see audioFormatForPath), at fileRateFor() the source rate. A WAV file
// that may pass the 4 GiB a plain one holds (longestSamples, at the source rate, says how long
// the sound can grow) is written as RF64; a plain one that would pass it anyway fails rather
// than wrap its sizes. Only a regular file (or a new name) is written: a pipe or a device in the
// target's place is refused.
//
// The sound goes into a temporary file beside the target, which commit() flushes to disk and
// renames into place; a failed or cancelled write removes it, so the target is either the whole
// new file or as it was. Errors are kept, not thrown: after the first one every write is
// ignored, ok() is false and error() holds a sentence in Russian naming the file and the
// system's or the encoder's reason.
class AudioFileWriter : public SampleSink {
public:
    AudioFileWriter(std::string path, uint32_t sourceRate, int64_t longestSamples = 0);
    ~AudioFileWriter() override;
    AudioFileWriter(const AudioFileWriter&) = delete;
    AudioFileWriter& operator=(const AudioFileWriter&) = delete;

    void write(std::span<const int16_t> samples) override;
    // Asks the write to stop; safe from any thread. The next write or commit removes the file.
    void cancel() { cancelRequested_ = true; }
    // Finishes the file and moves it into place; false (with error()) if anything failed.
    bool commit();

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    struct Io; // the temporary file as libsndfile sees it

private:
    bool open(uint32_t sourceRate, int64_t longestSamples);
    void tuneEncoder(AudioFormat format);
    void fail(std::string message);
    void failWithReason(const char* what, int err);
    bool stopIfCancelled();
    void encode(std::span<const int16_t> samples);
    void abandon();

    std::string path_;
    std::string temporary_;
    std::unique_ptr<Io> io_;
    sf_private_tag* file_ = nullptr;
    std::optional<AreaResampler> resampler_;
    std::vector<int16_t> resampled_;
    uint32_t fileRate_ = 0;
    // Bytes of samples written into a plain WAV file; none counted for other formats.
    bool plainWav_ = false;
    uint64_t wavBytes_ = 0;
    std::atomic<bool> cancelRequested_{false};
    std::string error_;
};

} // namespace kelvatron
