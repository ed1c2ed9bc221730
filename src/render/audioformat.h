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

// The rate a file of the format is written at for sound made at sourceRate. Lossless formats keep
// the tone generator's rate and its exact samples. The lossy ones are written at the source rate
// when it is at most 48000 Hz and one they take, otherwise at 48000 Hz: MP3 goes no higher, Opus
// takes only 8, 12, 16, 24 and 48 kHz, Vorbis encodes 96 kHz at half the speed for no audible
// gain, and the sound card plays the program's tones at 48000 Hz too.
uint32_t fileRateFor(AudioFormat format, uint32_t sourceRate);

// The most samples' bytes a plain WAV file holds: its sizes are 32-bit, and the header takes
// its part of 4 GiB.
inline constexpr uint64_t kLargestWavData = 0xFFFFFFFFull - 4096;

// libsndfile's format code (container | encoding) for a file of at most dataBytes of samples.
// WAV that may pass kLargestWavData is RF64 (WAV with 64-bit sizes), which the writer lets
// libsndfile turn back into plain WAV when the sound turns out to fit.
int sndfileFormatOf(AudioFormat format, uint64_t dataBytes = 0);

} // namespace kelvatron
