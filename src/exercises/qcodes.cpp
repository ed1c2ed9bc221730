#include "exercises/qcodes.h"

#include "core/random.h"

namespace kelvatron {

// The Q-codes of amateur radio and the usual abbreviations of a CW contact, each with the sense
// it has on the air (a Q-code as a statement; with "?" it asks).
const std::array<AirCode, kAirCodeCount> kAirCodes = {{
    {"QRA", "название станции"},
    {"QRG", "точная частота"},
    {"QRK", "разборчивость сигналов"},
    {"QRL", "частота занята"},
    {"QRM", "помехи от других станций"},
    {"QRN", "атмосферные помехи"},
    {"QRO", "увеличьте мощность"},
    {"QRP", "уменьшите мощность; малая мощность"},
    {"QRQ", "передавайте быстрее"},
    {"QRS", "передавайте медленнее"},
    {"QRT", "прекращаю работу"},
    {"QRU", "для вас ничего нет"},
    {"QRV", "готов к работе"},
    {"QRX", "ждите, вызову снова"},
    {"QRZ", "кто меня вызывает"},
    {"QSA", "сила сигналов"},
    {"QSB", "замирания сигнала"},
    {"QSK", "слышу вас между знаками"},
    {"QSL", "подтверждаю приём; карточка-квитанция"},
    {"QSO", "радиосвязь"},
    {"QSY", "перехожу на другую частоту"},
    {"QTH", "местонахождение"},
    {"QTR", "точное время"},
    {"CQ", "всем, общий вызов"},
    {"DE", "от, говорит"},
    {"K", "перехожу на приём"},
    {"SK", "конец связи"},
    {"BK", "перебиваю, переход на приём"},
    {"R", "принял, понял"},
    {"TNX", "спасибо"},
    {"TU", "спасибо"},
    {"PSE", "пожалуйста"},
    {"AGN", "ещё раз"},
    {"RPT", "повторите"},
    {"UR", "ваш"},
    {"HW", "как (приняли)"},
    {"FB", "отлично"},
    {"OM", "дружище, оператор"},
    {"YL", "девушка-оператор"},
    {"WX", "погода"},
    {"RIG", "аппаратура"},
    {"ANT", "антенна"},
    {"PWR", "мощность"},
    {"GM", "доброе утро"},
    {"GE", "добрый вечер"},
    {"CUL", "до встречи"},
    {"73", "наилучшие пожелания"},
    {"5NN", "599: отличный приём, сокращённо"},
}};

std::vector<AirCode> shuffledAirCodes(uint32_t seed) {
    std::vector<AirCode> codes(kAirCodes.begin(), kAirCodes.end());
    uint32_t state = seed;
    for (size_t i = codes.size(); i > 1; --i)
        std::swap(codes[i - 1], codes[Random(state, uint32_t(i))]);
    return codes;
}

} // namespace kelvatron
