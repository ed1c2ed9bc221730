#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace kelvatron {

// How a Latin letter is named: by the Russian operators' words for callsigns (Анна, Борис,
// Василий …) or by the international phonetic alphabet (Альфа, Браво …), said in Russian.
enum class LatinPhonetics : uint8_t { Russian, International };
// How a run of digits is read: digit by digit, or as one number (up to six digits; a longer run
// and its leading zeros are read digit by digit).
enum class DigitReading : uint8_t { DigitByDigit, AsNumber };

struct AnswerReading {
    LatinPhonetics latin = LatinPhonetics::Russian;
    DigitReading digits = DigitReading::DigitByDigit;
};

// The spoken name (UTF-8) of one sign as written in the text window (Windows-1251): a Cyrillic
// letter by its Russian name, a digit as a number, punctuation and the break sign ('-', or the
// space's sign) by name, a Latin letter of either case by its phonetic word. Empty for a
// character that is no sign.
std::string_view signName(char written, LatinPhonetics latin);

// What is said for a run of signs as written: the names in order, set apart by commas so the
// voice pauses briefly between them; digit runs read as `reading` asks. Characters that are no
// sign are skipped. Empty when nothing is said.
std::string spokenAnswer(std::string_view written, const AnswerReading& reading);

// How a sign is introduced to a learner: its name, then its напев as sung (lowercase, so no
// syllable is read out as an abbreviation). Just the name for a sign without a напев.
std::string signIntroduction(char written);

// A number 0..999999 in Russian words ("сто двадцать три", "две тысячи пять").
std::string numberInWords(uint32_t number);

} // namespace kelvatron
