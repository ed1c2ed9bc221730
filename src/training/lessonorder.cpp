#include "training/lessonorder.h"

#include <array>

#include "core/cp1251.h"
#include "transmission/textsign.h"

namespace kelvatron {

namespace {

// Why the orders run as they do is in the README ("Курс").
constexpr std::string_view kCyrillicOrder =
    "К М Р С У А П Т Л Й И Н О 1 Ф Е В Д Ы 7 Ж Х Г Ш Я 2 Б З Ч 5 Ц 0 Ю Щ 9 ? Ь 3 4 Э / 8 - 6 ,";
constexpr std::string_view kLatinOrder =
    "K M R S U A P T L W I N O J 1 F E Y V 7 G H Q 2 B Z 5 C 0 X 9 ? 4 3 D / 8 - 6 ,";

constexpr std::array<std::string_view, 13> kCyrillicGroups = {
    "ВГ", "ЙЧ", "ЗЮ", "ЛФ", "АН", "УД", "ЖБ", "19", "28", "37", "46", "ЕИСХ5", "ТМОШ0"};
constexpr std::array<std::string_view, 12> kLatinGroups = {
    "WG", "LF", "AN", "UD", "VB", "QY", "19", "28", "37", "46", "EISH5", "TMO0"};

bool isLatinLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isCyrillicLetter(char c) {
    return (static_cast<unsigned char>(c) & 0x80) && textSign(c);
}

// The sign as an order writes it: a letter as its capital, the break sign as the hyphen.
char writtenSign(char c) {
    if (isLatinLetter(c)) return char(c & ~0x20);
    if (c == '-') return c;
    return *textSign(c);
}

} // namespace

char LessonOrder::newSign(int lesson) const {
    if (lesson < 1 || lesson > lessonCount()) return 0;
    return signs_[size_t(lesson)];
}

std::string LessonOrder::learnedBy(int lesson) const {
    if (lesson < 1) return {};
    return signs_.substr(0, std::min(signs_.size(), size_t(lesson) + 1));
}

int LessonOrder::lessonOf(char signCp1251) const {
    const size_t at = signs_.find(signCp1251);
    if (at == std::string::npos) return 0;
    return at == 0 ? 1 : int(at);
}

std::string_view defaultLessonOrder(bool latin) {
    return latin ? kLatinOrder : kCyrillicOrder;
}

LessonOrderParse parseLessonOrder(std::string_view utf8, bool latin) {
    LessonOrderParse out;
    const std::string text = toCp1251(utf8);
    for (char c : text) {
        if (c == ' ') continue;
        const bool foreign = latin ? isCyrillicLetter(c) : isLatinLetter(c);
        if (!textSign(c) || foreign) {
            out.error = "«" + fromCp1251(std::string_view(&c, 1)) + "» — не знак " +
                        (latin ? "латиницы" : "кириллицы") +
                        ": оставьте в порядке курса только его знаки.";
            return out;
        }
        const char sign = writtenSign(c);
        if (out.signsCp1251.find(sign) != std::string::npos) {
            out.error = "Знак «" + fromCp1251(std::string_view(&sign, 1)) +
                        "» указан в порядке курса дважды: оставьте одно место.";
            return out;
        }
        out.signsCp1251 += sign;
    }
    if (out.signsCp1251.size() < 2 && out.error.empty())
        out.error = "В порядке курса нужно хотя бы два знака.";
    return out;
}

std::span<const std::string_view> confusableGroups(bool latin) {
    if (latin) return kLatinGroups;
    return kCyrillicGroups;
}

} // namespace kelvatron
