#include "exercises/jargonwords.h"

#include <utility>

#include "keying/signtable.h"

namespace kelvatron {
namespace {

// clang-format off
constexpr std::array<std::string_view, kJargonWordCount> kWords = {
    /*   0 */ "REPORT", "ABT", "ADR", "AFTER", "AGN", "ALL", "ALSO", "AM", "ANT", "AT",
    /*  10 */ "BD", "BAD", "BAND", "BCNU", "BEAM", "BEST", "BOX", "BUT", "CALL", "CFM",
    /*  20 */ "CHEERIO", "SIGS", "SKED", "SUM", "SM", "SOON", "SN", "WEAK", "WID", "YES",
    /*  30 */ "YL", "AR", "CLG", "CONDX", "CONGRATS", "COPI", "CQ", "CU", "CUAGN", "CUL",
    /*  40 */ "CW", "DE", "DIRECT", "DR", "DWN", "DX", "ES", "EX", "FB", "FER",
    /*  50 */ "FOR", "FR", "SORI", "SRI", "SSB", "TEST", "TIME", "TKS", "WKD", "WLL",
    /*  60 */ "73", "88", "BK", "FM", "FREQ", "FROM", "GA", "GB", "GD", "GE",
    /*  70 */ "GLD", "GM", "GN", "GND", "GOT", "GUD", "GUHOR", "HAM", "HF", "HI",
    /*  80 */ "HOPE", "HPE", "HR", "TNX", "TRCVR", "TU", "TUBE", "TVI", "TX", "WRK",
    /*  90 */ "WRKD", "БЛГ", "ДСВ", "BT", "HRD", "HW", "INFO", "KW", "LAT", "LF",
    /* 100 */ "LID", "LONG", "LOG", "LSB", "LTR", "MIKE", "MIN", "MNI", "MOM", "MSG",
    /* 110 */ "MTR", "NR", "NEAR", "NBFM", "TXT", "UFB", "UNLIS", "UP", "UR", "URS",
    /* 120 */ "WW", "WX", "ЗДР", "НЛД", "KN", "NIL", "NW", "OK", "OM", "ONLY",
    /* 130 */ "OP", "OPR", "OUTPR", "PA", "PM", "PSE", "PSED", "PWR", "RCV", "RCVR",
    /* 140 */ "REPT", "RPR", "RIG", "RPT", "RTTY", "USB", "VIA", "VFO", "VHF", "VY",
    /* 150 */ "WTTS", "XTAL", "XYL", "СПБ", "AS", "SK",
};
// clang-format on

// A word in Windows-1251 with room for the longest one.
struct Cp1251Word {
    std::array<char, 8> bytes{};
    std::size_t size = 0;
};

consteval Cp1251Word toCp1251Word(std::string_view utf8) {
    Cp1251Word word;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t len = static_cast<unsigned char>(utf8[i]) < 0x80 ? 1 : 2;
        if (word.size == word.bytes.size()) throw "jargon word longer than eight characters";
        word.bytes[word.size++] = win1251(utf8.substr(i, len));
        i += len;
    }
    return word;
}

constexpr auto kCp1251Words = []() consteval {
    std::array<Cp1251Word, kJargonWordCount> out{};
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = toCp1251Word(kWords[i]);
    return out;
}
();

template <std::size_t... I>
constexpr std::array<std::string_view, kJargonWordCount> cp1251Views(std::index_sequence<I...>) {
    return {std::string_view(kCp1251Words[I].bytes.data(), kCp1251Words[I].size)...};
}

} // namespace

const std::array<std::string_view, kJargonWordCount> kJargonWords = kWords;
const std::array<std::string_view, kJargonWordCount> kJargonWordsCp1251 =
    cp1251Views(std::make_index_sequence<kJargonWordCount>());

} // namespace kelvatron
