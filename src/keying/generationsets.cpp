#include "keying/generationsets.h"

#include "core/cyrillic.h"
#include "core/random.h"
#include "keying/signtable.h"

namespace kelvatron {
namespace {

constexpr std::string_view kDigitsText = "0123456789";
// Alphabetical, but Ё and Ъ have no sign of their own, and the soft sign comes before Ы as in
// the sign table.
constexpr std::string_view kCyrillicText = "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЬЫЭЮЯ";
// The rows of kLatinEquivalents: W (keyed В) before V (keyed Ж), J (keyed Й) last.
constexpr std::string_view kLatinText = "ABCDEFGHIKLMNOPQRSTUWVXYZJ";

constexpr auto kDigits = cp1251Bytes<utf8CharCount(kDigitsText)>(kDigitsText);
constexpr auto kCyrillic = cp1251Bytes<utf8CharCount(kCyrillicText)>(kCyrillicText);
constexpr auto kLatin = cp1251Bytes<utf8CharCount(kLatinText)>(kLatinText);
constexpr auto kDigitsCyrillic = joinBytes(kDigits, kCyrillic);
constexpr auto kDigitsLatin = joinBytes(kDigits, kLatin);

static_assert(kDigits.size() == 10 && kCyrillic.size() == 31 && kLatin.size() == 26);
static_assert(kDigitsCyrillic.size() == 41 && kDigitsLatin.size() == 36);

} // namespace

const std::array<std::string_view, kGenerationSetCount> kGenerationSets = {
    bytesView(kDigits),         bytesView(kCyrillic),    bytesView(kLatin),
    bytesView(kDigitsCyrillic), bytesView(kDigitsLatin),
};

std::string_view generationSet(GenerationSetKind kind) {
    return kGenerationSets[static_cast<std::size_t>(kind)];
}

GenerationEntry generationEntry(char entry) {
    return {entry, latinPartner(entry).value_or(entry)};
}

char drawEntry(std::string_view set) {
    return set[Random(static_cast<uint32_t>(set.size()))];
}

} // namespace kelvatron
