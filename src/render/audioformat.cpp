#include "render/audioformat.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <sndfile.h>

namespace kelvatron {

namespace {

struct FormatRow {
    std::string_view extension;
    AudioFormat format;
    int sndfile;
};

constexpr std::array<FormatRow, 5> kFormats = {{
    {".wav", AudioFormat::Wav, SF_FORMAT_WAV | SF_FORMAT_PCM_16},
    {".flac", AudioFormat::Flac, SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
    {".ogg", AudioFormat::OggVorbis, SF_FORMAT_OGG | SF_FORMAT_VORBIS},
    {".opus", AudioFormat::OggOpus, SF_FORMAT_OGG | SF_FORMAT_OPUS},
    {".mp3", AudioFormat::Mp3, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III},
}};

bool takesRate(AudioFormat format, uint32_t rate) {
    switch (format) {
    case AudioFormat::Wav:
    case AudioFormat::Flac:
        return true;
    case AudioFormat::OggOpus:
        return rate == 8000 || rate == 12000 || rate == 16000 || rate == 24000 || rate == 48000;
    default:
        return rate <= 48000;
    }
}

} // namespace

std::optional<AudioFormat> audioFormatForPath(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const auto& row : kFormats)
        if (row.extension == extension) return row.format;
    return std::nullopt;
}

std::string_view audioExtensionList() {
    return ".wav, .flac, .ogg, .opus, .mp3";
}

uint32_t fileRateFor(AudioFormat format, uint32_t sourceRate) {
    return takesRate(format, sourceRate) ? sourceRate : 48000;
}

int sndfileFormatOf(AudioFormat format, uint64_t dataBytes) {
    if (format == AudioFormat::Wav && dataBytes > kLargestWavData)
        return SF_FORMAT_RF64 | SF_FORMAT_PCM_16;
    for (const auto& row : kFormats)
        if (row.format == format) return row.sndfile;
    return 0;
}

} // namespace kelvatron
