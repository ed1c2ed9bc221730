#pragma once
#include <algorithm>
#include <cstdint>
#include <sndfile.h>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "render/samplesink.h"
#include "render/sampletimeline.h"

namespace kelvatron::test {

// A command line written as one string, split at spaces; the views point into the literal.
inline std::vector<std::string_view> commandLine(std::string_view line) {
    std::vector<std::string_view> args;
    for (size_t at = 0, end; at < line.size(); at = end + 1) {
        end = std::min(line.find(' ', at), line.size());
        args.push_back(line.substr(at, end - at));
    }
    return args;
}

// Keeps the whole timeline.
class VectorSink : public SampleSink {
public:
    void write(std::span<const int16_t> s) override {
        samples.insert(samples.end(), s.begin(), s.end());
    }
    std::vector<int16_t> samples;
};

// One tone as the sign player keys it: where it starts and the image it played.
struct KeyedTone {
    int64_t start;
    std::vector<uint8_t> image;
};

// Keys a code as the sign player does with the sound card: each element, a dot's silence after
// it, then the sign pause; frequency 800 Hz.
inline std::vector<KeyedTone> keySign(SampleTimeline& timeline, std::string_view code, int dot,
                                      int ratio, int signPause) {
    std::vector<KeyedTone> tones;
    for (char element : code) {
        TToneGen& gen = timeline.toneGen();
        gen.setFrequency(800);
        gen.setDuration(static_cast<int16_t>(element == '.' ? dot : dot * ratio));
        const int64_t start = timeline.position();
        gen.play();
        tones.push_back({start, {gen.waveImage().begin(), gen.waveImage().end()}});
        timeline.clock().sleep(dot);
    }
    timeline.clock().sleep(dot * ratio * signPause);
    return tones;
}

// A file as libsndfile reads it back, samples as 16-bit.
struct ReadBack {
    int rate = 0, channels = 0;
    int64_t frames = 0;
    std::vector<int16_t> samples;
};

inline ReadBack readBack(const std::string& path) {
    SF_INFO info{};
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
    if (!f) return {};
    ReadBack r{info.samplerate, info.channels, info.frames, {}};
    r.samples.resize(size_t(info.frames) * info.channels);
    sf_read_short(f, r.samples.data(), sf_count_t(r.samples.size()));
    sf_close(f);
    return r;
}

} // namespace kelvatron::test
