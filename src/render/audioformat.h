#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvatron {

enum class AudioFormat : uint8_t { Wav, Flac, OggVorbis, OggOpus, Mp3 };

// The format a file's extension asks for, in any letter case: .wav (16-bit PCM), .flac (16-bit),
// .ogg (Vorbis), .opus (Opus in Ogg), .mp3 (MPEG layer III). Nothing for any other name.
std::optional<AudioFormat> audioFormatForPath(const std::string& path);

// The extensions the writer takes, for messages and file dialogs: ".wav, .flac, .ogg, .opus, .mp3".
std::string_view audioExtensionList();

// The rate a file of the format is written at for sound made at sourceRate. Lossless formats and
// Vorbis keep the tone generator's rate. Opus takes only 8, 12, 16, 24 and 48 kHz, and MP3 at
// most 48 kHz, so both are written at 48000 Hz when the source rate is not one they take; the
// sound card plays the program's tones at 48000 Hz too.
uint32_t fileRateFor(AudioFormat format, uint32_t sourceRate);

// libsndfile's format code (container | encoding).
int sndfileFormatOf(AudioFormat format);

} // namespace kelvatron
