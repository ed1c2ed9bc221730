#pragma once
#include <string>

namespace kelvatron {

enum class RadiogramError {
    None,
    CannotOpen,   // the file cannot be opened or read
    TooLarge,     // the text exceeds what the text window holds
    NotText,      // the file holds a zero byte
    Unencodable,  // the text holds a character that Windows-1251 cannot store
    CannotCreate, // the file cannot be created or written over
};

// The outcome of reading, encoding or writing a radiogram. On failure, message is the text of
// the error box (UTF-8) and text is empty.
struct RadiogramResult {
    RadiogramError error = RadiogramError::None;
    std::string message;
    std::string text; // Windows-1251 with CR LF line breaks

    bool ok() const { return error == RadiogramError::None; }
};

} // namespace kelvatron
