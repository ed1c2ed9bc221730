#pragma once
#include <array>

namespace kelvatron {

class TglBevel;
class TglCheckBox;
class TglDigits;
class TglGraphicButton;
class TglGroupBox;
class TglLabel;
class TglProgress;
class TglShadow;
class TGradientLabel;
class TMemo;
class TProgressBar;

// Every control of the main window under its layout name. The window builds them (see
// formlayout.h) and owns them; handlers read and write the controls they are given.
struct FormControls {
    // Background, the top strip (title and menu bar) and its buttons.
    TglBevel* glBevel1 = nullptr;
    TglBevel* glBevel2 = nullptr;
    TglGraphicButton* glGraphicButton4 = nullptr; // close (asks first)
    TglGraphicButton* glGraphicButton5 = nullptr; // minimise

    // Menu words "Файл", "Настройки", "Утилита", "Автор".
    TglLabel* glLabel5 = nullptr;
    TglLabel* glLabel6 = nullptr;
    TglLabel* glLabel7 = nullptr;
    TglLabel* glLabel8 = nullptr;
    TglLabel* trainingMenu = nullptr; // "Тренировка"

    // The text window and the progress bar under it.
    TMemo* Memo1 = nullptr;
    TProgressBar* ProgressBar1 = nullptr;

    // Source options " Передача" and hint options " Подсказки ", with their shadows.
    TglGroupBox* glGroupBox5 = nullptr;
    TglGroupBox* glGroupBox4 = nullptr;
    TglShadow* glShadow1 = nullptr;
    TglShadow* glShadow2 = nullptr;
    TglCheckBox* glCheckBox1 = nullptr; // " Символы"
    TglCheckBox* glCheckBox2 = nullptr; // " Код"
    TglCheckBox* glCheckBox3 = nullptr; // " Напевка"
    TglCheckBox* glCheckBox4 = nullptr; // " Цифры"
    TglCheckBox* glCheckBox5 = nullptr; // " Буквы"
    TglCheckBox* glCheckBox6 = nullptr; // " Цифры и буквы"
    TglCheckBox* glCheckBox7 = nullptr; // " Текст в окне"

    // Start, pause and stop of a transmission; the speed buttons and bar.
    TglCheckBox* glCheckBox8 = nullptr;
    TglCheckBox* glCheckBox9 = nullptr;
    TglCheckBox* glCheckBox10 = nullptr;
    TglCheckBox* glCheckBox11 = nullptr; // faster
    TglCheckBox* glCheckBox12 = nullptr; // slower
    TglProgress* glProgress1 = nullptr;

    // The on-screen keyboard: rows glLabel27..38, 39..49, 50..60, 61..70, and "пробел".
    TglGroupBox* glGroupBox6 = nullptr;
    TglLabel* glLabel27 = nullptr;
    TglLabel* glLabel28 = nullptr;
    TglLabel* glLabel29 = nullptr;
    TglLabel* glLabel30 = nullptr;
    TglLabel* glLabel31 = nullptr;
    TglLabel* glLabel32 = nullptr;
    TglLabel* glLabel33 = nullptr;
    TglLabel* glLabel34 = nullptr;
    TglLabel* glLabel35 = nullptr;
    TglLabel* glLabel36 = nullptr;
    TglLabel* glLabel37 = nullptr;
    TglLabel* glLabel38 = nullptr;
    TglLabel* glLabel39 = nullptr;
    TglLabel* glLabel40 = nullptr;
    TglLabel* glLabel41 = nullptr;
    TglLabel* glLabel42 = nullptr;
    TglLabel* glLabel43 = nullptr;
    TglLabel* glLabel44 = nullptr;
    TglLabel* glLabel45 = nullptr;
    TglLabel* glLabel46 = nullptr;
    TglLabel* glLabel47 = nullptr;
    TglLabel* glLabel48 = nullptr;
    TglLabel* glLabel49 = nullptr;
    TglLabel* glLabel50 = nullptr;
    TglLabel* glLabel51 = nullptr;
    TglLabel* glLabel52 = nullptr;
    TglLabel* glLabel53 = nullptr;
    TglLabel* glLabel54 = nullptr;
    TglLabel* glLabel55 = nullptr;
    TglLabel* glLabel56 = nullptr;
    TglLabel* glLabel57 = nullptr;
    TglLabel* glLabel58 = nullptr;
    TglLabel* glLabel59 = nullptr;
    TglLabel* glLabel60 = nullptr;
    TglLabel* glLabel61 = nullptr;
    TglLabel* glLabel62 = nullptr;
    TglLabel* glLabel63 = nullptr;
    TglLabel* glLabel64 = nullptr;
    TglLabel* glLabel65 = nullptr;
    TglLabel* glLabel66 = nullptr;
    TglLabel* glLabel67 = nullptr;
    TglLabel* glLabel68 = nullptr;
    TglLabel* glLabel69 = nullptr;
    TglLabel* glLabel70 = nullptr;
    TglLabel* glLabel17 = nullptr; // "пробел"

    // Alphabet switches, Cyrillic and Latin.
    TglCheckBox* glCheckBox22 = nullptr;
    TglCheckBox* glCheckBox23 = nullptr;

    // Status bar: dot length, group size, group count, frequency, each after its label.
    TglGroupBox* glGroupBox1 = nullptr;
    TglDigits* glDigits1 = nullptr;
    TglDigits* glDigits2 = nullptr;
    TglDigits* glDigits3 = nullptr;
    TglDigits* glDigits4 = nullptr;
    std::array<TglLabel*, 4> statusLabels{};

    // File panel: "Новый", "Открыть", "Сохранить как ...", "Выход".
    TglGroupBox* glGroupBox2 = nullptr;
    TglLabel* glLabel9 = nullptr;
    TglLabel* glLabel10 = nullptr;
    TglLabel* glLabel11 = nullptr;
    TglLabel* glLabel12 = nullptr;
    // "Экспорт звука ..." under them.
    TglLabel* exportSoundLabel = nullptr;

    // Utility panel: the four generation commands.
    TglGroupBox* glGroupBox3 = nullptr;
    TglLabel* glLabel13 = nullptr;
    TglLabel* glLabel14 = nullptr;
    TglLabel* glLabel15 = nullptr;
    TglLabel* glLabel16 = nullptr;

    // Settings panel.
    TglGroupBox* glGroupBox8 = nullptr;
    TglCheckBox* glCheckBox13 = nullptr; // " системный динамик"
    TglCheckBox* glCheckBox14 = nullptr; // " звуковая карта"
    TglGroupBox* glGroupBox9 = nullptr;  // "эффект": the waveforms
    TglCheckBox* glCheckBox15 = nullptr; // " sine"
    TglCheckBox* glCheckBox16 = nullptr; // " square"
    TglCheckBox* glCheckBox17 = nullptr; // " triangle"
    TglCheckBox* glCheckBox18 = nullptr; // " sawtooth"
    TglCheckBox* glCheckBox19 = nullptr; // " noise"
    TglDigits* glDigits5 = nullptr;      // frequency, Hz
    TglDigits* glDigits6 = nullptr;      // dash-to-dot ratio
    TglDigits* glDigits7 = nullptr;      // pause between signs, dashes
    TglDigits* glDigits8 = nullptr;      // pause between groups, pairs of dashes
    TglDigits* glDigits9 = nullptr;      // signs per group
    TglDigits* glDigits10 = nullptr;     // number of groups
    TglLabel* glLabel20 = nullptr;
    TglLabel* glLabel21 = nullptr;
    TglLabel* glLabel22 = nullptr;
    TglLabel* glLabel23 = nullptr;
    TglLabel* glLabel24 = nullptr;
    TglLabel* glLabel25 = nullptr;
    TglCheckBox* glCheckBox24 = nullptr; // minus beside glDigits5
    TglCheckBox* glCheckBox25 = nullptr; // minus beside glDigits6
    TglCheckBox* glCheckBox26 = nullptr; // minus beside glDigits7
    TglCheckBox* glCheckBox27 = nullptr; // minus beside glDigits8
    TglCheckBox* glCheckBox28 = nullptr; // minus beside glDigits9
    TglCheckBox* glCheckBox29 = nullptr; // minus beside glDigits10
    TglCheckBox* glCheckBox30 = nullptr; // plus beside glDigits5
    TglCheckBox* glCheckBox31 = nullptr; // plus beside glDigits6
    TglCheckBox* glCheckBox32 = nullptr; // plus beside glDigits7
    TglCheckBox* glCheckBox33 = nullptr; // plus beside glDigits8
    TglCheckBox* glCheckBox34 = nullptr; // plus beside glDigits9
    TglCheckBox* glCheckBox35 = nullptr; // plus beside glDigits10
    TglCheckBox* glCheckBox20 = nullptr; // " вступление к передаче"
    TglCheckBox* glCheckBox21 = nullptr; // " окончание передачи"
    TglGraphicButton* glGraphicButton3 = nullptr; // sound test
    TglGraphicButton* glGraphicButton2 = nullptr; // close the panel

    // Author panel.
    TglGroupBox* glGroupBox7 = nullptr;
    TGradientLabel* authorTitle = nullptr;
    TglGraphicButton* glGraphicButton1 = nullptr;

    // Training: its panel and the history ("Журнал"); the training panel fills them.
    TglGroupBox* trainingPanel = nullptr;
    TglGroupBox* historyPanel = nullptr;

    // Exit confirmation: "Хотите выйти из программы ?", "Да", "Нет".
    TglGroupBox* glGroupBox10 = nullptr;
    TglLabel* glLabel4 = nullptr;
    TglLabel* glLabel71 = nullptr;
    TglLabel* glLabel72 = nullptr;

    // The 44 character keys in label order (glLabel27..glLabel70).
    std::array<TglLabel*, 44> characterKeys() const;
    // The letter keys whose captions follow the alphabet (glLabel39..glLabel69).
    std::array<TglLabel*, 31> letterKeys() const;
    // The waveform options glCheckBox15..19, the displays glDigits5..10 with their minus
    // (glCheckBox24..29) and plus (glCheckBox30..35) buttons, the source options glCheckBox4..7.
    std::array<TglCheckBox*, 5> waveformOptions() const;
    std::array<TglDigits*, 6> settingDisplays() const;
    std::array<TglCheckBox*, 6> minusButtons() const;
    std::array<TglCheckBox*, 6> plusButtons() const;
    std::array<TglCheckBox*, 4> sourceOptions() const;
    // The floating panels: file, settings, utility, author, training, history.
    std::array<TglGroupBox*, 6> floatingPanels() const;
};

} // namespace kelvatron
