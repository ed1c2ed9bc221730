#include "cli/exportoptions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <set>

namespace kelvatron {

namespace {

enum class Kind : uint8_t { Flag, Number, Word, Waveform, Hundredths, Choice };

struct OptionRow {
    std::string_view name;
    Kind kind;
    int64_t low = 0, high = 0; // Number; Hundredths in hundredths
    std::optional<int> ExportOptions::*number = nullptr;       // a plain count
    std::optional<std::string> ExportOptions::*word = nullptr; // a file name
    std::optional<bool> ExportOptions::*off = nullptr;         // a --no- flag
    int body = -1;                                  // what is keyed: an ExportBody, or none
    std::span<const std::string_view> choices = {}; // Choice: the words, the value their index
};

using O = ExportOptions;

// In the order of AnswerMoment from AfterSign on, DigitReading and LatinPhonetics.
constexpr std::array<std::string_view, 3> kVoiceMoments = {"sign", "group", "repeat"};
constexpr std::array<std::string_view, 2> kDigitReadings = {"digits", "number"};
constexpr std::array<std::string_view, 2> kLatinPhonetics = {"russian", "international"};

// The speed unit, frequency and counts have the settings panel's limits.
const std::array<OptionRow, 30> kOptions = {{
    {.name = "--export", .kind = Kind::Word},
    {.name = "--text", .kind = Kind::Word, .word = &O::radiogram, .body = int(ExportBody::Text)},
    {.name = "--digits", .kind = Kind::Flag, .body = int(ExportBody::Digits)},
    {.name = "--letters", .kind = Kind::Flag, .body = int(ExportBody::Letters)},
    {.name = "--mixed", .kind = Kind::Flag, .body = int(ExportBody::Mixed)},
    {.name = "--jargon", .kind = Kind::Flag, .body = int(ExportBody::Jargon)},
    {.name = "--callsigns", .kind = Kind::Flag, .body = int(ExportBody::Callsigns)},
    {.name = "--qso", .kind = Kind::Flag, .body = int(ExportBody::Qso)},
    {"--groups", Kind::Number, 1, 200, &O::groups},
    {"--size", Kind::Number, 1, 100, &O::size},
    {"--seed", Kind::Number, 0, UINT32_MAX},
    {"--dot", Kind::Number, 10, 100, &O::dot},
    {"--frequency", Kind::Number, 100, 5000, &O::frequency},
    {"--waveform", Kind::Waveform},
    {"--ratio", Kind::Number, 3, 6, &O::ratio},
    {"--sign-pause", Kind::Number, 1, 4, &O::signPause},
    {"--group-pause", Kind::Number, 1, 4, &O::groupPause},
    {"--effective", Kind::Number, 5, 300, &O::effective},
    {.name = "--lesson",
     .kind = Kind::Number,
     .low = 1,
     .high = 44,
     .number = &O::lesson,
     .body = int(ExportBody::Lesson)},
    {.name = "--no-opening", .kind = Kind::Flag, .off = &O::opening},
    {.name = "--no-closing", .kind = Kind::Flag, .off = &O::closing},
    {.name = "--answers", .kind = Kind::Word, .word = &O::answers},
    {"--snr", Kind::Number, -10, 30, &O::snr},
    {"--bandwidth", Kind::Number, 100, 3000, &O::bandwidth},
    {"--qsb", Kind::Hundredths, 0, 200},
    {"--qrm", Kind::Number, 0, 5, &O::qrm},
    {"--qrn", Kind::Number, 0, 100, &O::qrn},
    {.name = "--help", .kind = Kind::Flag},
    {.name = "-h", .kind = Kind::Flag},
    {.name = "--version", .kind = Kind::Flag},
}};

// The spoken answers, a table of their own.
const std::array<OptionRow, 5> kVoiceOptions = {{
    {.name = "--voice", .kind = Kind::Choice, .choices = kVoiceMoments},
    {"--voice-pause", Kind::Number, 0, 10000, &O::voicePause},
    {.name = "--voice-digits", .kind = Kind::Choice, .choices = kDigitReadings},
    {.name = "--voice-latin", .kind = Kind::Choice, .choices = kLatinPhonetics},
    {.name = "--voice-air", .kind = Kind::Flag},
}};

void apply(const OptionRow& row, ExportOptions& o, int64_t number, std::string_view word) {
    if (row.body >= 0) o.body = static_cast<ExportBody>(row.body);
    if (row.number) o.*row.number = static_cast<int>(number);
    if (row.word) o.*row.word = std::string(word);
    if (row.off) o.*row.off = false;
    if (row.name == "--export") o.target = word;
    if (row.name == "--seed") o.seed = static_cast<uint32_t>(number);
    if (row.name == "--waveform") o.waveform = static_cast<TTGWave>(number);
    if (row.name == "--qsb") o.qsb = static_cast<double>(number) / 100;
    if (row.name == "--help" || row.name == "-h") o.help = true;
    if (row.name == "--version") o.version = true;
    if (row.name == "--voice") o.voice = static_cast<AnswerMoment>(number + 1);
    if (row.name == "--voice-digits") o.voiceDigits = static_cast<DigitReading>(number);
    if (row.name == "--voice-latin") o.voiceLatin = static_cast<LatinPhonetics>(number);
    if (row.name == "--voice-air") o.voiceAir = true;
}

// In the order of TTGWave.
constexpr std::array<std::string_view, 5> kWaveNames = {"sine", "square", "triangle", "sawtooth",
                                                        "noise"};

bool isBodyOption(std::string_view name) {
    return name == "--text" || name == "--digits" || name == "--letters" || name == "--mixed" ||
           name == "--jargon" || name == "--lesson" || name == "--callsigns" || name == "--qso";
}

std::string quote(std::string_view text) {
    return "«" + std::string(text) + "»";
}

const OptionRow* findOption(std::string_view name) {
    for (const auto& row : kOptions)
        if (row.name == name) return &row;
    for (const auto& row : kVoiceOptions)
        if (row.name == name) return &row;
    return nullptr;
}

// A decimal with at most two places (0.05, 1.5, 2), as a count of hundredths.
std::string readHundredths(const OptionRow& row, std::string_view text, int64_t& number) {
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    const std::string name(row.name);
    if (ec != std::errc{} || end != text.data() + text.size() || text.empty())
        return "Параметр " + name + " ждёт число (например, 0.5), а получил " + quote(text) + ".";
    number = std::llround(value * 100);
    if (std::abs(value * 100 - static_cast<double>(number)) > 1e-6 || number < row.low ||
        number > row.high || (number > 0 && number < 5))
        return "Параметр " + name + ": значение " + std::string(text) +
               " вне пределов: 0 (нет) или от 0.05 до 2 с двумя знаками после точки.";
    return {};
}

// The number a value names, or the reason it names none.
std::string readValue(const OptionRow& row, std::string_view text, int64_t& number) {
    const std::string name(row.name);
    if (row.kind == Kind::Waveform) {
        auto it = std::find(kWaveNames.begin(), kWaveNames.end(), text);
        if (it != kWaveNames.end()) {
            number = it - kWaveNames.begin();
            return {};
        }
        return "Параметр " + name +
               " ждёт одну из форм тона: sine, square, triangle, sawtooth, noise, а получил " +
               quote(text) + ".";
    }
    if (row.kind == Kind::Hundredths) return readHundredths(row, text, number);
    if (row.kind == Kind::Choice) {
        auto it = std::find(row.choices.begin(), row.choices.end(), text);
        if (it != row.choices.end()) {
            number = it - row.choices.begin();
            return {};
        }
        std::string words;
        for (std::string_view choice : row.choices)
            words += (words.empty() ? "" : ", ") + std::string(choice);
        return "Параметр " + name + " ждёт одно из слов: " + words + ", а получил " + quote(text) +
               ".";
    }
    if (row.kind != Kind::Number) return {};
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    const bool whole = end == text.data() + text.size() && !text.empty();
    if (ec == std::errc::invalid_argument || !whole)
        return "Параметр " + name + " ждёт целое число, а получил " + quote(text) + ".";
    if (ec == std::errc::result_out_of_range || number < row.low || number > row.high)
        return "Параметр " + name + ": значение " + std::string(text) + " вне пределов от " +
               std::to_string(row.low) + " до " + std::to_string(row.high) + ".";
    return {};
}

class Parser {
public:
    explicit Parser(std::span<const std::string_view> args) : args_(args) {}

    ExportParse run() {
        for (next_ = 0; next_ < args_.size() && result_.ok();)
            take(args_[next_++]);
        const bool asksOnly = result_.options.help || result_.options.version;
        if (result_.ok() && !asksOnly && result_.options.target.empty())
            result_.error = "Не указан файл для записи звука: --export FILE.";
        if (result_.ok() && !result_.options.voice) requireVoice();
        return result_;
    }

private:
    void take(std::string_view arg) {
        if (!arg.starts_with("-")) {
            result_.error = "Лишний аргумент " + quote(arg) +
                            ": параметры начинаются с «--». Список параметров: kelvatron --help.";
            return;
        }
        const size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        const OptionRow* row = findOption(name);
        if (!row) {
            result_.error =
                "Неизвестный параметр " + quote(name) + ". Список параметров: kelvatron --help.";
            return;
        }
        std::optional<std::string_view> value;
        if (equals != std::string_view::npos) value = arg.substr(equals + 1);
        if (!checkOnce(*row)) return;
        if (row->kind == Kind::Flag) {
            if (value)
                result_.error = "Параметр " + std::string(name) + " не принимает значения.";
            else
                apply(*row, result_.options, 0, {});
            return;
        }
        if (!value && next_ < args_.size() && !args_[next_].starts_with("--"))
            value = args_[next_++];
        if (!value || value->empty()) {
            result_.error = "Параметру " + std::string(name) + " нужно значение.";
            return;
        }
        int64_t number = 0;
        result_.error = readValue(*row, *value, number);
        if (result_.ok()) apply(*row, result_.options, number, *value);
    }

    // The voice's own settings mean nothing without a voice.
    void requireVoice() {
        for (std::string_view name :
             {"--voice-pause", "--voice-digits", "--voice-latin", "--voice-air"})
            if (seen_.contains(name)) {
                result_.error = "Параметр " + std::string(name) +
                                " действует только вместе с --voice sign|group|repeat.";
                return;
            }
    }

    // An option counts once, and the sound has one body.
    bool checkOnce(const OptionRow& row) {
        std::string_view name = row.name == "-h" ? "--help" : row.name;
        if (!seen_.insert(name).second) {
            result_.error = "Параметр " + std::string(name) + " указан дважды.";
            return false;
        }
        if (!isBodyOption(name)) return true;
        if (!body_.empty()) {
            result_.error = "Параметры " + std::string(body_) + " и " + std::string(name) +
                            " нельзя указать вместе: передаётся что-то одно.";
            return false;
        }
        body_ = name;
        return true;
    }

    std::span<const std::string_view> args_;
    size_t next_ = 0;
    ExportParse result_;
    std::set<std::string_view> seen_;
    std::string_view body_;
};

constexpr std::string_view kHelp =
    R"(Использование:
  kelvatron [параметры Qt]               открыть окно тренажёра
  kelvatron --export ФАЙЛ [параметры]    записать упражнение в звуковой файл
  kelvatron --help | --version

Без параметров открывается окно программы: рабочий стол Wayland или X11 (под Wayland
окно открывается само, без XWayland, когда установлен пакет qt6-wayland). Параметры Qt,
например -platform xcb, и переменные окружения QT_QPA_PLATFORM=wayland или xcb выбирают
вывод окна. Звук идёт на сервер PipeWire или PulseAudio, а без него на звуковую карту;
KELVATRON_SOUND=pipewire, pulse или sdl выбирает один путь. Настройки хранятся в
~/.config/Home/Project1.conf, журнал тренировок в ~/.local/share/Kelvatron/history.sqlite.

С --export программа записывает упражнение в звуковой файл так, как его передала бы,
и завершается, не открывая окна (дисплей не нужен). Формат следует расширению файла:
.wav, .flac, .ogg (Vorbis), .opus, .mp3. Каждый не указанный параметр берётся из
сохранённых настроек программы.

Что передавать (не более одного):
  --text РАДИОГРАММА     текст радиограммы из файла .dkm (Windows-1251)
  --digits               случайные группы цифр
  --letters              случайные группы букв
  --mixed                случайные смешанные группы
  --jargon               слова радиожаргона
  --lesson N             упражнение урока N курса, 1..44: группы из знаков уроков 1..N,
                         новый знак чаще; длительность и размер групп — как в курсе
  --callsigns            позывные, по одному в группе (число групп: --groups)
  --qso                  радиообмен: вызов, ответ, рапорт, имя, город, 73

Группы:
  --groups N             число групп, 1..200
  --size N               знаков в группе, 1..100
  --seed N               начальное число генератора, 0..4294967295:
                         одно и то же число даёт одни и те же группы

Звук и скорость:
  --dot МС               длительность точки в миллисекундах, 10..100
  --frequency ГЦ         частота тона, 100..5000
  --waveform ФОРМА       форма тона: sine, square, triangle, sawtooth, noise
  --ratio N              длина тире в точках, 3..6
  --sign-pause N         пауза между знаками в тире, 1..4
  --group-pause N        пауза между группами в парах тире, 1..4
  --effective N          растянуть паузы до N знаков в минуту (Фарнсворт), 5..300:
                         знаки звучат со скоростью точки, текст в целом — со скоростью N
  --no-opening           без вступления
  --no-closing           без окончания

Эфир (любой из параметров включает условия приёма; не указанные берутся из настроек):
  --snr ДБ               шум: отношение сигнал/шум в децибелах, -10..30
  --bandwidth ГЦ         полоса фильтра приёмника вокруг тона, 100..3000 (500)
  --qsb ГЦ               замирания (QSB) с частотой 0.05..2 Гц; 0 — без них
  --qrm N                мешающие станции (QRM), 0..5
  --qrn ПРОЦЕНТЫ         атмосферные помехи (QRN), 0..100

Голос (ответы произносятся по-русски после азбуки Морзе, голосом espeak-ng):
  --voice КОГДА          sign — после каждого знака, group — после каждой группы,
                         repeat — группа, ответ и та же группа ещё раз;
                         без --voice ответы не произносятся
  --voice-pause МС       время на запись перед ответом и пауза после него до
                         следующей передачи, 0..10000 (1000)
  --voice-digits КАК     группы цифр: digits — по цифре, number — числом (digits)
  --voice-latin АЛФАВИТ  латинские буквы: russian — Анна, Борис, Василий …,
                         international — Альфа, Браво, Чарли … (russian)
  --voice-air            ответы тоже через условия эфира; без него голос звучит
                         чисто, поверх помех

Прочее:
  --answers ФАЙЛ         записать переданный текст (ответы) в файл UTF-8
  --help, -h             показать эту справку
  --version              показать название и версию программы

Значение пишется через пробел или через знак равенства: --dot 60 или --dot=60.
Коды завершения: 0 — файл записан, 1 — файл не удалось прочитать или записать,
2 — неверный параметр или значение.
)";

} // namespace

bool isExportCommandLine(std::span<const std::string_view> args) {
    return std::any_of(args.begin(), args.end(), [](std::string_view a) {
        return a == "--export" || a.starts_with("--export=") || a == "--help" || a == "-h" ||
               a == "--version";
    });
}

ExportParse parseExportOptions(std::span<const std::string_view> args) {
    return Parser(args).run();
}

std::string_view exportHelpText() {
    return kHelp;
}

std::string versionText() {
    return "Kelvatron " KELVATRON_VERSION "\n";
}

} // namespace kelvatron
