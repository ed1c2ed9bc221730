// Feeds arbitrary bytes through what opening and saving a radiogram do with them: the file
// check and line-break normalisation, the Windows-1251 text as the window shows it, and the
// encoding back to file bytes. Also takes the bytes as window text (UTF-8 of any shape).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/cp1251.h"
#include "radiograms/radiogramcodec.h"

using namespace kelvatron;

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

bool lineBreaksAreCrLf(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) return false;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
    }
    return true;
}

// A file as it is opened: refused, or CR LF text that saves back to the same bytes.
void openAndSaveAgain(std::string_view fileBytes) {
    RadiogramResult opened = decodeRadiogram(fileBytes, "/fuzz.dkm");
    if (!opened.ok()) {
        check(opened.text.empty() && !opened.message.empty());
        return;
    }
    check(opened.text.size() <= kRadiogramMaxBytes && lineBreaksAreCrLf(opened.text));
    check(normalizeLineBreaks(opened.text) == opened.text);

    // Every byte, 0x98 (which has no character in the code page) too, saves back as it was.
    RadiogramResult saved = encodeRadiogram(fromCp1251(opened.text));
    check(saved.ok() && saved.text == opened.text);
}

// Window text of any shape: encoded to CR LF bytes that open again unchanged, or refused with a
// message naming a line (or the size, beyond the window's capacity).
void saveWindowText(std::string_view utf8) {
    RadiogramResult saved = encodeRadiogram(utf8);
    if (!saved.ok()) {
        const bool named = saved.message.find(" in line ") != std::string::npos ||
                           saved.error == RadiogramError::TooLarge;
        check(named && saved.text.empty());
        return;
    }
    check(lineBreaksAreCrLf(saved.text));
    check(saved.text.find('\0') == std::string::npos);
    RadiogramResult reopened = decodeRadiogram(saved.text, "/fuzz.dkm");
    check(reopened.ok() && reopened.text == saved.text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    openAndSaveAgain(bytes);
    saveWindowText(bytes);
    return 0;
}
