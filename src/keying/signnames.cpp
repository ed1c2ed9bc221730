#include "keying/signnames.h"

#include <array>

#include "core/cyrillic.h"
#include "keying/signtable.h"

namespace kelvatron {

namespace {

constexpr unsigned char kCapitalA = 0xC0;
constexpr unsigned char kSmallA = 0xE0;

// In the order А..Я of Windows-1251, Ъ included (it is named, though it has no sign of its own).
constexpr std::array<std::string_view, 32> kCyrillicNames = {
    "а",   "бэ", "вэ", "гэ", "дэ",           "е",  "жэ",          "зэ", "и", "и краткое", "ка",
    "эль", "эм", "эн", "о",  "пэ",           "эр", "эс",          "тэ", "у", "эф",        "ха",
    "цэ",  "че", "ша", "ща", "твёрдый знак", "ы",  "мягкий знак", "э",  "ю", "я",
};

constexpr std::array<std::string_view, 10> kDigitNames = {
    "ноль", "один", "два", "три", "четыре", "пять", "шесть", "семь", "восемь", "девять"};

// A..Z. The Russian words are those operators use for Latin callsigns; Q, V, X and Y are named
// by the Cyrillic sign keyed for them.
constexpr std::array<std::string_view, 26> kRussianPhonetics = {
    "Анна",    "Борис",   "Цапля",        "Дмитрий",    "Елена",  "Фёдор",   "Григорий",
    "Харитон", "Иван",    "Иван краткий", "Константин", "Леонид", "Михаил",  "Николай",
    "Ольга",   "Павел",   "Щука",         "Роман",      "Сергей", "Татьяна", "Ульяна",
    "Жук",     "Василий", "Мягкий знак",  "Игрек",      "Зинаида"};

constexpr std::array<std::string_view, 26> kInternationalPhonetics = {
    "Альфа",     "Браво", "Чарли",   "Дельта", "Эхо",      "Фокстрот", "Гольф", "Отель",  "Индия",
    "Джульетта", "Кило",  "Лима",    "Майк",   "Новембер", "Оскар",    "Папа",  "Квебек", "Ромео",
    "Сьерра",    "Танго", "Юниформ", "Виктор", "Виски",    "Экс-рэй",  "Янки",  "Зулу"};

constexpr std::array<std::string_view, 10> kTeens = {
    "десять",     "одиннадцать", "двенадцать", "тринадцать",   "четырнадцать",
    "пятнадцать", "шестнадцать", "семнадцать", "восемнадцать", "девятнадцать"};
constexpr std::array<std::string_view, 10> kTens = {
    "",          "",           "двадцать",  "тридцать",    "сорок",
    "пятьдесят", "шестьдесят", "семьдесят", "восемьдесят", "девяносто"};
constexpr std::array<std::string_view, 10> kHundreds = {
    "",        "сто",      "двести",  "триста",    "четыреста",
    "пятьсот", "шестьсот", "семьсот", "восемьсот", "девятьсот"};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

void appendWord(std::string& out, std::string_view word, std::string_view separator = " ") {
    if (word.empty()) return;
    if (!out.empty()) out += separator;
    out += word;
}

// 1..999; thousands count in the feminine (одна тысяча, две тысячи).
void appendHundreds(std::string& out, uint32_t n, bool feminine) {
    appendWord(out, kHundreds[n / 100]);
    const uint32_t rest = n % 100;
    if (rest >= 10 && rest < 20) return appendWord(out, kTeens[rest - 10]);
    appendWord(out, kTens[rest / 10]);
    const uint32_t unit = rest % 10;
    if (unit == 0) return;
    if (feminine && unit <= 2) return appendWord(out, unit == 1 ? "одна" : "две");
    appendWord(out, kDigitNames[unit]);
}

std::string_view thousandsWord(uint32_t thousands) {
    const uint32_t lastTwo = thousands % 100, last = thousands % 10;
    if (lastTwo >= 11 && lastTwo <= 14) return "тысяч";
    if (last == 1) return "тысяча";
    if (last >= 2 && last <= 4) return "тысячи";
    return "тысяч";
}

constexpr size_t kLongestNumber = 6;

// A run of digits: leading zeros and runs too long for a number are read digit by digit.
void appendDigitRun(std::string& out, std::string_view digits, DigitReading reading) {
    size_t lead = 0;
    if (reading == DigitReading::AsNumber && digits.size() <= kLongestNumber)
        while (lead + 1 < digits.size() && digits[lead] == '0')
            ++lead;
    else
        lead = digits.size();
    for (size_t i = 0; i < lead; ++i)
        appendWord(out, kDigitNames[digits[i] - '0'], ", ");
    if (lead == digits.size()) return;
    uint32_t number = 0;
    for (char c : digits.substr(lead))
        number = number * 10 + uint32_t(c - '0');
    appendWord(out, numberInWords(number), ", ");
}

} // namespace

std::string_view signName(char written, LatinPhonetics latin) {
    const auto byte = static_cast<unsigned char>(written);
    if (isDigit(written)) return kDigitNames[written - '0'];
    if (byte >= kCapitalA) return kCyrillicNames[(byte - kCapitalA) % (kSmallA - kCapitalA)];
    if (written == win1251("Ё") || written == win1251("ё")) return "ё";
    const auto& phonetics =
        latin == LatinPhonetics::Russian ? kRussianPhonetics : kInternationalPhonetics;
    if (written >= 'A' && written <= 'Z') return phonetics[written - 'A'];
    if (written >= 'a' && written <= 'z') return phonetics[written - 'a'];
    switch (written) {
    case '?':
        return "вопросительный знак";
    case '/':
        return "дробь";
    case ',':
        return "запятая";
    case '.':
        return "точка";
    case '-':
    case ' ':
        return "знак раздела";
    default:
        return {};
    }
}

std::string spokenAnswer(std::string_view written, const AnswerReading& reading) {
    std::string out;
    for (size_t i = 0; i < written.size();) {
        if (isDigit(written[i])) {
            size_t end = i;
            while (end < written.size() && isDigit(written[end]))
                ++end;
            appendDigitRun(out, written.substr(i, end - i), reading.digits);
            i = end;
            continue;
        }
        appendWord(out, signName(written[i++], reading.latin), ", ");
    }
    return out;
}

std::string signIntroduction(char written) {
    std::string out(signName(written, LatinPhonetics::Russian));
    const auto index = findSign(std::string_view(&written, 1));
    if (!index || kSignTable[*index].mnemonic.empty()) return out;
    out += ". ";
    // Capitals (the dashes' syllables) to small letters: Cyrillic А..Я are U+0410..U+042F,
    // two bytes each, and their small letters lie 0x20 above, or 0x60 above in a new lead byte.
    const std::string_view sung = kSignTable[*index].mnemonic;
    for (size_t i = 0; i < sung.size(); ++i) {
        const auto lead = static_cast<unsigned char>(sung[i]);
        if (lead == 0xD0 && i + 1 < sung.size()) {
            const auto next = static_cast<unsigned char>(sung[i + 1]);
            if (next >= 0x90 && next <= 0x9F)
                out += {char(0xD0), char(next + 0x20)};
            else if (next >= 0xA0 && next <= 0xAF)
                out += {char(0xD1), char(next - 0x20)};
            else
                out += {char(lead), char(next)};
            ++i;
            continue;
        }
        out += sung[i];
    }
    return out;
}

std::string numberInWords(uint32_t number) {
    if (number == 0) return std::string(kDigitNames[0]);
    std::string out;
    const uint32_t thousands = number / 1000 % 1000;
    if (thousands > 0) {
        appendHundreds(out, thousands, true);
        appendWord(out, thousandsWord(thousands));
    }
    if (number % 1000 > 0) appendHundreds(out, number % 1000, false);
    return out;
}

} // namespace kelvatron
