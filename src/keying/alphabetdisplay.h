#pragma once

namespace kelvatron {

// What shows which alphabet the keyboard sounds: the switches' marks and the key captions.
class AlphabetDisplay {
public:
    virtual ~AlphabetDisplay() = default;
    virtual void markAlphabet(bool latin) = 0;
    // The five keys that carry punctuation on a US keyboard have no Latin caption.
    virtual void enablePunctuationKeys(bool enabled) = 0;
    virtual void setLetterCaptions(bool latin) = 0;
};

} // namespace kelvatron
