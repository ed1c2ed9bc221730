#pragma once
#include <random>
#include <string>
#include <vector>

#include "keying/signtable.h"
#include "training/sendingdecoder.h"

namespace kelvatron::test {

// One key-down and key-up, in ms.
struct Keying {
    double down, up;
};

// Keying at `dotMs`: each element and each silence in whole dots (dash `ratio`, 1 inside a sign,
// `signGap` between signs, `wordGap` for a space), each stretched by an independent random
// factor in [1 - jitter, 1 + jitter].
struct KeyingStyle {
    double dotMs = 60, ratio = 3, signGap = 3, wordGap = 7, jitter = 0;
};

// The key times of a list of codes ("" for a word space between the codes around it).
inline std::vector<Keying> keyCodes(const std::vector<std::string>& codes, const KeyingStyle& style,
                                    std::mt19937& rng, double startMs = 0) {
    std::uniform_real_distribution<double> stretch(1 - style.jitter, 1 + style.jitter);
    auto length = [&](double dots) { return dots * style.dotMs * stretch(rng); };
    std::vector<Keying> keys;
    double t = startMs;
    for (const auto& code : codes) {
        if (code.empty()) t += length(style.wordGap - style.signGap);
        for (char element : code) {
            const double down = t;
            t += length(element == '-' ? style.ratio : 1);
            keys.push_back({down, t});
            t += length(1);
        }
        if (!code.empty()) t += length(style.signGap - 1);
    }
    return keys;
}

// The codes of a Windows-1251 text: a space is a word space, "-" the break sign.
inline std::vector<std::string> codesOf(const std::string& text) {
    std::vector<std::string> codes;
    for (char c : text) {
        const auto sign = FindSign(std::string(1, c == '-' ? ' ' : c));
        codes.emplace_back(c == ' ' ? "" : SignTable[*sign].Code);
    }
    return codes;
}

inline std::vector<Keying> keyText(const std::string& text, const KeyingStyle& style,
                                   std::mt19937& rng, double startMs = 0) {
    return keyCodes(codesOf(text), style, rng, startMs);
}

// Feeds the keying to a decoder, polling every `pollMs` in the silences when it is above zero,
// and finishes; returns all it wrote.
inline std::string decode(SendingDecoder& decoder, const std::vector<Keying>& keys,
                          double pollMs = 0) {
    std::string text;
    double last = 0;
    for (const auto& key : keys) {
        for (double t = last + pollMs; pollMs > 0 && t < key.down; t += pollMs)
            text += decoder.poll(t);
        text += decoder.keyDown(key.down);
        text += decoder.keyUp(key.up);
        last = key.up;
    }
    return text + decoder.finish();
}

} // namespace kelvatron::test
