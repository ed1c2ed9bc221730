#include "audio/interferencestage.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <string_view>

#include "audio/counterrandom.h"

namespace kelvatron {

namespace {

// The international codes of what the stations key: A..Z, 0..9, '/'.
constexpr std::string_view kLetters[] = {
    ".-",   "-...", "-.-.", "-..",  ".",    "..-.", "--.",  "....", "..",  ".---", "-.-", ".-..",
    "--",   "-.",   "---",  ".--.", "--.-", ".-.",  "...",  "-",    "..-", "...-", ".--", "-..-",
    "-.--", "--.."};
constexpr std::string_view kDigits[] = {"-----", ".----", "..---", "...--", "....-",
                                        ".....", "-....", "--...", "---..", "----."};
constexpr std::string_view kPrefixes[] = {"UA", "RA", "RN", "RK", "R",  "UR", "EW", "UN", "DL",
                                          "OK", "SP", "G",  "F",  "I",  "EA", "OH", "SM", "LY",
                                          "YL", "ES", "JA", "K",  "W",  "VE"};

std::string_view codeOf(char c) {
    if (c >= 'A' && c <= 'Z') return kLetters[c - 'A'];
    if (c >= '0' && c <= '9') return kDigits[c - '0'];
    if (c == '/') return "-..-.";
    return {};
}

struct Draws {
    uint64_t stream;
    int64_t next = 0;
    double unit() { return unitAt(stream, next++); }
    size_t below(size_t n) { return std::min(n - 1, static_cast<size_t>(unit() * static_cast<double>(n))); }
};

std::string callsign(Draws& d) {
    std::string call(kPrefixes[d.below(std::size(kPrefixes))]);
    call += static_cast<char>('0' + d.below(10));
    for (size_t i = 0, n = 1 + d.below(3); i < n; ++i)
        call += static_cast<char>('A' + d.below(26));
    return call;
}

std::string message(Draws& d) {
    const std::string me = callsign(d);
    switch (d.below(4)) {
    case 0:
        return "CQ CQ DE " + me + " " + me + " K";
    case 1:
        return "CQ TEST " + me + " " + me + " TEST";
    case 2:
        return callsign(d) + " DE " + me + " 5NN " + std::to_string(1 + d.below(999)) + " K";
    default: {
        std::string groups;
        for (int g = 0; g < 5; ++g) {
            if (g) groups += ' ';
            for (int i = 0; i < 5; ++i)
                groups += d.below(2) ? static_cast<char>('A' + d.below(26))
                                     : static_cast<char>('0' + d.below(10));
        }
        return groups;
    }
    }
}

// Lays the text's elements out from `at` (dot 1, dash 3, gaps of 1, 3 and 7 dots); returns the
// frame after its last element.
int64_t keyText(const std::string& text, double at, double dot, int64_t until,
                std::vector<std::pair<int64_t, int64_t>>& keyed) {
    for (const char c : text) {
        if (c == ' ') {
            at += 4 * dot; // with the 3 after the sign before, a gap of 7
            continue;
        }
        for (const char element : codeOf(c)) {
            const double length = element == '-' ? 3 * dot : dot;
            if (at + length >= static_cast<double>(until)) return until;
            keyed.emplace_back(std::llround(at), std::llround(at + length));
            at += length + dot;
        }
        at += 2 * dot;
    }
    return std::llround(at);
}

} // namespace

InterferenceStage::InterferenceStage(uint32_t seed, double rate, int stations, double toneHz,
                                     double toneAmplitude, double dotMs)
    : rate_(rate), period_(static_cast<int64_t>(kPeriodSeconds * rate)),
      edgeFrames_(static_cast<float>(0.005 * rate)) {
    for (int s = 0; s < stations; ++s) {
        Draws d{randomStream(seed, 16 + static_cast<uint32_t>(s))};
        InterferingStation station;
        double offset = 50 + 550 * d.unit();
        if (d.unit() < 0.5) offset = -offset;
        if (toneHz + offset < 150 || toneHz + offset > 0.45 * rate) offset = -offset;
        station.pitchHz = toneHz + offset;
        station.amplitude = toneAmplitude * std::pow(10.0, -20 * d.unit() / 20);
        station.dotFrames = dotMs / 1000 * rate / (0.7 + 0.6 * d.unit());
        double at = d.unit() * 8 * rate;
        while (at < static_cast<double>(period_)) {
            std::string text = message(d);
            const int64_t end = keyText(text, at, station.dotFrames, period_, station.keyed);
            at = static_cast<double>(end) + (0.5 + 11.5 * d.unit()) * rate;
        }
        stations_.push_back(std::move(station));
    }
}

void InterferenceStage::process(std::span<float> block, int64_t position) {
    for (const InterferingStation& station : stations_)
        addStation(station, block, position);
}

// Through the block, element by element: the keyed spans of the period that overlap it, the
// pitch's phase taken afresh from the frame at each span.
void InterferenceStage::addStation(const InterferingStation& station, std::span<float> block,
                                   int64_t position) {
    const int64_t end = position + static_cast<int64_t>(block.size());
    const double step = 2 * std::numbers::pi * station.pitchHz / rate_;
    for (int64_t from = position; from < end;) {
        const int64_t base = from - from % period_;
        const int64_t local = from - base;
        auto span = std::upper_bound(station.keyed.begin(), station.keyed.end(),
                                     std::pair<int64_t, int64_t>{local, INT64_MAX});
        if (span != station.keyed.begin() && std::prev(span)->second > local) --span;
        if (span == station.keyed.end()) {
            from = base + period_;
            continue;
        }
        const int64_t down = base + span->first, up = base + span->second;
        if (down >= end) break;
        const int64_t first = std::max(from, down), last = std::min(end, up);
        const double phase = std::fmod(static_cast<double>(first) * station.pitchHz / rate_, 1.0);
        std::complex<float> osc = std::polar(1.0f, static_cast<float>(2 * std::numbers::pi * phase));
        const std::complex<float> turn = std::polar(1.0f, static_cast<float>(step));
        const auto amplitude = static_cast<float>(station.amplitude);
        for (int64_t n = first; n < last; ++n) {
            const auto edge = static_cast<float>(std::min(n - down, up - 1 - n)) / edgeFrames_;
            const float envelope =
                edge >= 1 ? 1.0f : 0.5f - 0.5f * std::cos(static_cast<float>(std::numbers::pi) * edge);
            block[static_cast<size_t>(n - position)] += amplitude * envelope * osc.imag();
            osc *= turn;
        }
        from = last;
    }
}

} // namespace kelvatron
