#include "exercises/contactgenerator.h"

#include <array>
#include <string_view>

#include "core/random.h"
#include "exercises/callsigngenerator.h"

namespace kelvatron {

namespace {

// Common first names and large towns: what a contact's NAME and QTH carry.
constexpr std::array<std::string_view, 12> kNames = {
    "ALEX", "IVAN", "SERGEY", "OLEG", "NIK", "VLAD", "HANS", "PETER", "JOHN", "MARC", "JAN", "TOM"};
constexpr std::array<std::string_view, 12> kNamesRussian = {
    "АЛЕКСАНДР", "ИВАН", "СЕРГЕЙ", "ОЛЕГ", "НИКОЛАЙ", "ВЛАДИМИР",
    "ПЕТР",      "ЮРИЙ", "АНДРЕЙ", "МИХАИЛ", "ДМИТРИЙ", "ПАВЕЛ"};
constexpr std::array<std::string_view, 12> kTowns = {
    "MOSCOW", "KAZAN", "OMSK", "TULA", "MINSK", "KYIV", "RIGA", "BERLIN", "PRAHA", "PARIS",
    "ROMA", "OSLO"};
constexpr std::array<std::string_view, 12> kTownsRussian = {
    "МОСКВА", "КАЗАНЬ", "ОМСК", "ТУЛА", "МИНСК", "КИЕВ",
    "РИГА",   "ТВЕРЬ",  "ПСКОВ", "САМАРА", "ПЕРМЬ", "СОЧИ"};
constexpr std::array<std::string_view, 6> kRigs = {"FT991", "IC7300", "TS590", "K3", "FT817",
                                                   "IC718"};
constexpr std::array<std::string_view, 6> kWeather = {"SUNNY", "CLOUDY", "RAIN", "SNOW", "FOG",
                                                      "WINDY"};
constexpr std::array<std::string_view, 6> kReports = {"599", "5NN", "579", "589", "569", "559"};

template <std::size_t N>
std::string pick(uint32_t& state, const std::array<std::string_view, N>& from) {
    return std::string(from[Random(state, N)]);
}

// "599 599": a report, a name and a town go twice, as operators send them.
std::string twice(const std::string& word) {
    return word + " " + word;
}

std::string international(const std::string& cq, const std::string& caller,
                          const ContactFields& f, uint32_t& state) {
    const std::string temperature = std::to_string(Random(state, 30)) + "C";
    return "CQ CQ CQ DE " + cq + " " + cq + " K\n" +
           cq + " DE " + caller + " " + caller + " K\n" +
           caller + " DE " + cq + " GM TNX FER CALL UR RST 599 599 HW? " + caller + " DE " + cq +
           " K\n" +
           cq + " DE " + caller + " R TNX UR RST " + twice(f.rst) + " NAME " + twice(f.name) +
           " QTH " + twice(f.qth) + " RIG " + pick(state, kRigs) + " WX " +
           pick(state, kWeather) + " " + temperature + " HW? " + cq + " DE " + caller + " K\n" +
           caller + " DE " + cq + " TNX FER QSO 73 " + caller + " DE " + cq + " SK";
}

std::string russian(const std::string& cq, const std::string& caller, const ContactFields& f) {
    return "ВСЕМ ВСЕМ ВСЕМ ДЕ " + cq + " " + cq + " К\n" +
           cq + " ДЕ " + caller + " " + caller + " К\n" +
           caller + " ДЕ " + cq + " ДОБРЫЙ ДЕНЬ СПАСИБО ЗА ВЫЗОВ ВАШ RST 599 599 КАК ПРИНЯЛИ? " +
           caller + " ДЕ " + cq + " К\n" +
           cq + " ДЕ " + caller + " ПРИНЯЛ ВСЕ ВАШ RST " + twice(f.rst) + " ИМЯ " +
           twice(f.name) + " ГОРОД " + twice(f.qth) + " КАК ПРИНЯЛИ? " + cq + " ДЕ " + caller +
           " К\n" +
           caller + " ДЕ " + cq + " СПАСИБО ЗА СВЯЗЬ 73 " + caller + " ДЕ " + cq + " SK";
}

} // namespace

Contact generateContact(uint32_t seed, ContactLanguage language) {
    CallsignGenerator calls(seed);
    const std::string cq = calls.next().text;
    const std::string caller = calls.next().text;
    uint32_t state = seed ^ 0x9e3779b9u;
    const bool ru = language == ContactLanguage::Russian;
    ContactFields fields{caller, pick(state, kReports),
                         ru ? pick(state, kNamesRussian) : pick(state, kNames),
                         ru ? pick(state, kTownsRussian) : pick(state, kTowns)};
    if (ru && fields.rst == "5NN") fields.rst = "599";
    Contact contact{ru ? russian(cq, caller, fields) : international(cq, caller, fields, state),
                    fields};
    return contact;
}

} // namespace kelvatron
