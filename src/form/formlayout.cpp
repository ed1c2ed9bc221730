#include "form/formlayout.h"

#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>

#include "form/formcontrols.h"
#include "keying/keyboardcaptions.h"
#include "widgets/tglbevel.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgldigits.h"
#include "widgets/tglgraphicbutton.h"
#include "widgets/tglgroupbox.h"
#include "widgets/tgllabel.h"
#include "widgets/tglprogress.h"
#include "widgets/tglshadow.h"
#include "widgets/tgradientlabel.h"
#include "widgets/theme.h"
#include "widgets/tmemo.h"
#include "widgets/tprogressbar.h"

// The pictures live in a static library, whose resource registration the linker would drop
// unless something refers to it.
static void initFormImages() {
    Q_INIT_RESOURCE(formimages);
}

namespace kelvatron {

namespace {

constexpr int kWidth = 792;
constexpr int kHeight = 573;
const QColor kGreen(0, 159, 0); // colour value 40704
const QColor kNavy(0, 0, 128);

template <typename T> T* named(T* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

TglLabel* label(QWidget* parent, const char* name, const QString& caption, QRect place,
                int pixels = 13, bool clickable = false) {
    auto* l = named(new TglLabel(parent), name);
    l->setCaption(caption);
    l->setPixelSize(pixels);
    l->setClickable(clickable);
    l->setGeometry(place);
    return l;
}

// A menu word on the title strip: large, bold, shadowed type.
TglLabel* menuWord(QWidget* strip, const char* name, const QString& caption, int x, int width) {
    auto* l = label(strip, name, caption, QRect(x, 12, width, 22), 17, true);
    l->setBold(true);
    l->setShadowed(true);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

TglCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, QPoint at,
                      bool checked, const QString& hint = {}) {
    auto* c = named(new TglCheckBox(parent), name);
    c->setCaption(caption);
    c->setHint(hint);
    c->setChecked(checked);
    c->setGeometry(
        QRect(at, QSize(caption.isEmpty() ? 25 : std::max(130, c->sizeHint().width() + 8), 25)));
    return c;
}

TglCheckBox* button(QWidget* parent, const char* name, GlyphKind glyph, QRect place,
                    const QString& hint) {
    auto* c = named(new TglCheckBox(parent), name);
    c->setPushButton(true);
    c->setGlyph(glyph);
    c->setHint(hint);
    c->setGeometry(place);
    return c;
}

TglGroupBox* panel(QWidget* parent, const char* name, const QString& caption, QRect place) {
    auto* g = named(new TglGroupBox(parent), name);
    g->setCaption(caption);
    g->setGeometry(place);
    return g;
}

TglDigits* display(QWidget* parent, const char* name, double value, QRect place,
                   const QString& label) {
    auto* d = named(new TglDigits(parent), name);
    d->setLabel(label);
    d->setValue(value);
    d->setGeometry(place);
    return d;
}

void buildTopStrip(QWidget* form, FormControls& ui) {
    ui.glBevel1 = named(new TglBevel(kGreen, kNavy, form), "glBevel1");
    ui.glBevel1->setGeometry(0, 0, kWidth, kHeight);
    // The title strip repeats the background's run of colour, only darker.
    ui.glBevel2 = named(new TglBevel(kGreen.darker(330), kNavy.darker(230), form), "glBevel2");
    ui.glBevel2->setGlossy(true);
    ui.glBevel2->setGeometry(0, 0, kWidth, 41);
    ui.glBevel2->setAccessibleName(QStringLiteral("Kelvatron (V 1.41)"));
    ui.glLabel5 = menuWord(ui.glBevel2, "glLabel5", QStringLiteral("Файл"), 24, 60);
    ui.glLabel6 = menuWord(ui.glBevel2, "glLabel6", QStringLiteral("Настройки"), 88, 100);
    ui.glLabel7 = menuWord(ui.glBevel2, "glLabel7", QStringLiteral("Утилита"), 192, 84);
    ui.glLabel8 = menuWord(ui.glBevel2, "glLabel8", QStringLiteral("Автор"), 280, 70);
    auto* title = label(ui.glBevel2, "titleLabel", QStringLiteral("Kelvatron (V 1.41)"),
                        QRect(440, 8, 290, 26), 16);
    title->setBold(true);
    title->setShadowed(true);
    title->setTextColor(QColor(232, 240, 255));
    title->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // After "Автор", above the title's empty left part.
    ui.trainingMenu = menuWord(ui.glBevel2, "trainingMenu", QStringLiteral("Тренировка"), 354, 116);
    ui.trainingMenu->raise();
    ui.glGraphicButton5 =
        named(new TglGraphicButton(GlyphKind::Minimise, ui.glBevel2), "glGraphicButton5");
    ui.glGraphicButton5->setGeometry(744, 14, 17, 17);
    ui.glGraphicButton5->setHint(QStringLiteral("свернуть"));
    ui.glGraphicButton4 =
        named(new TglGraphicButton(GlyphKind::Close, ui.glBevel2), "glGraphicButton4");
    ui.glGraphicButton4->setGeometry(768, 14, 17, 17);
    ui.glGraphicButton4->setHint(QStringLiteral("закрыть"));
}

void buildOptionGroups(QWidget* form, FormControls& ui) {
    ui.glGroupBox5 =
        panel(form, "glGroupBox5", QStringLiteral(" Передача"), QRect(16, 80, 163, 147));
    ui.glCheckBox4 = checkBox(ui.glGroupBox5, "glCheckBox4", QStringLiteral(" Цифры"), {12, 30},
                              true, QStringLiteral("передавать только цыфры"));
    ui.glCheckBox5 = checkBox(ui.glGroupBox5, "glCheckBox5", QStringLiteral(" Буквы"), {12, 58},
                              false, QStringLiteral("передавать только буквы"));
    ui.glCheckBox6 = checkBox(ui.glGroupBox5, "glCheckBox6", QStringLiteral(" Цифры и буквы"),
                              {12, 86}, false, QStringLiteral("передавать цифры и буквы"));
    ui.glCheckBox7 = checkBox(ui.glGroupBox5, "glCheckBox7", QStringLiteral(" Текст в окне"),
                              {12, 114}, false, QStringLiteral("передавать текст в окне"));

    ui.glGroupBox4 =
        panel(form, "glGroupBox4", QStringLiteral(" Подсказки "), QRect(608, 80, 163, 147));
    ui.glCheckBox1 = checkBox(ui.glGroupBox4, "glCheckBox1", QStringLiteral(" Символы"), {12, 36},
                              true, QStringLiteral("выводить символы знаков"));
    ui.glCheckBox2 = checkBox(ui.glGroupBox4, "glCheckBox2", QStringLiteral(" Код"), {12, 70}, true,
                              QStringLiteral("выводить код знаков"));
    ui.glCheckBox3 = checkBox(ui.glGroupBox4, "glCheckBox3", QStringLiteral(" Напевка"), {12, 104},
                              false, QStringLiteral("выводить напевки знаков"));

    ui.glShadow1 = named(new TglShadow(ui.glGroupBox5, 15, form), "glShadow1");
    ui.glShadow2 = named(new TglShadow(ui.glGroupBox4, 15, form), "glShadow2");
}

void buildTransmissionControls(QWidget* form, FormControls& ui) {
    ui.glCheckBox8 = button(form, "glCheckBox8", GlyphKind::Play, QRect(48, 248, 25, 25),
                            QStringLiteral("кнопка старта передачи"));
    ui.glCheckBox9 = button(form, "glCheckBox9", GlyphKind::Pause, QRect(88, 248, 25, 25),
                            QStringLiteral("кнопка паузы передачи"));
    ui.glCheckBox10 = button(form, "glCheckBox10", GlyphKind::Stop, QRect(128, 248, 25, 25),
                             QStringLiteral("кнопка стоп передачи"));
    // The pause button is a toggle: it shows its state.
    ui.glCheckBox9->setPushButton(false);
    ui.glCheckBox11 = button(form, "glCheckBox11", GlyphKind::Left, QRect(8, 290, 25, 25),
                             QStringLiteral("увеличить скорость"));
    ui.glProgress1 = named(new TglProgress(form), "glProgress1");
    ui.glProgress1->setGeometry(40, 294, 113, 17);
    ui.glProgress1->setCaption(QStringLiteral("скорость"));
    ui.glProgress1->setPercent(20);
    ui.glCheckBox12 = button(form, "glCheckBox12", GlyphKind::Right, QRect(160, 290, 25, 25),
                             QStringLiteral("уменьшить скорость"));

    ui.Memo1 = named(new TMemo(form), "Memo1");
    ui.Memo1->setGeometry(200, 68, 393, 213);
    // Bold, so the dots of a sign's code read as clearly as its dashes.
    ui.Memo1->setFont(theme::font(21, true));
    ui.ProgressBar1 = named(new TProgressBar(form), "ProgressBar1");
    ui.ProgressBar1->setGeometry(200, 296, 393, 9);
}

void buildKeyboard(QWidget* form, FormControls& ui) {
    ui.glGroupBox6 =
        panel(form, "glGroupBox6", QStringLiteral(" Клавиатура"), QRect(200, 320, 393, 221));
    const int rowX[] = {13, 29, 29, 45};
    const int rowY[] = {30, 70, 110, 150};
    TglLabel** keySlots[] = {
        &ui.glLabel27, &ui.glLabel28, &ui.glLabel29, &ui.glLabel30, &ui.glLabel31, &ui.glLabel32,
        &ui.glLabel33, &ui.glLabel34, &ui.glLabel35, &ui.glLabel36, &ui.glLabel37, &ui.glLabel38,
        &ui.glLabel39, &ui.glLabel40, &ui.glLabel41, &ui.glLabel42, &ui.glLabel43, &ui.glLabel44,
        &ui.glLabel45, &ui.glLabel46, &ui.glLabel47, &ui.glLabel48, &ui.glLabel49, &ui.glLabel50,
        &ui.glLabel51, &ui.glLabel52, &ui.glLabel53, &ui.glLabel54, &ui.glLabel55, &ui.glLabel56,
        &ui.glLabel57, &ui.glLabel58, &ui.glLabel59, &ui.glLabel60, &ui.glLabel61, &ui.glLabel62,
        &ui.glLabel63, &ui.glLabel64, &ui.glLabel65, &ui.glLabel66, &ui.glLabel67, &ui.glLabel68,
        &ui.glLabel69, &ui.glLabel70};
    int n = 0;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < kKeyRowLengths[row]; ++col, ++n) {
            QByteArray name = "glLabel" + QByteArray::number(27 + n);
            auto* key =
                label(ui.glGroupBox6, name.constData(),
                      QString::fromUtf8(startCaption(n).data(), qsizetype(startCaption(n).size())),
                      QRect(rowX[row] + 32 * col, rowY[row], 30, 34), 24, true);
            key->setAlignment(Qt::AlignCenter);
            key->setShowsSign(true);
            key->setFocusPolicy(Qt::NoFocus); // typing is the keyboard's way to sound a sign
            *keySlots[n] = key;
        }
    }
    ui.glLabel17 = label(ui.glGroupBox6, "glLabel17", QStringLiteral("пробел"),
                         QRect(155, 184, 90, 30), 24, true);
    ui.glLabel17->setFocusPolicy(Qt::NoFocus);
    ui.glLabel17->setAlignment(Qt::AlignCenter);

    ui.glCheckBox22 = button(form, "glCheckBox22", GlyphKind::Cyrillic, QRect(736, 504, 25, 25),
                             QStringLiteral("русский алфавит"));
    ui.glCheckBox23 = button(form, "glCheckBox23", GlyphKind::Latin, QRect(760, 504, 25, 25),
                             QStringLiteral("латинский алфавит"));
    ui.glCheckBox22->setChecked(true);
    ui.glCheckBox22->setGradientActive(true);
}

void buildStatusBar(QWidget* form, FormControls& ui) {
    ui.glGroupBox1 = panel(form, "glGroupBox1", QString(), QRect(0, kHeight - 41, kWidth, 41));
    ui.glGroupBox1->setFlat(true);
    ui.glGroupBox1->setAccessibleName(QStringLiteral("Строка состояния"));
    const QString captions[] = {QStringLiteral("Длит. точки (мСек)"),
                                QStringLiteral("Знаков в группе"), QStringLiteral("Всего групп"),
                                QStringLiteral("Частота сигнала ( Гц )")};
    const double values[] = {40, 5, 10, 800};
    TglDigits** displays[] = {&ui.glDigits1, &ui.glDigits2, &ui.glDigits3, &ui.glDigits4};
    // Each label sits just before its display; the four pairs share the strip's spare width
    // equally, half of each share on either side of the pair.
    constexpr int kDisplayWidth = 54;
    constexpr int kGap = 6;
    TglLabel* captionLabels[4];
    int used = 0;
    for (int i = 0; i < 4; ++i) {
        QByteArray name = "statusLabel" + QByteArray::number(i + 1);
        captionLabels[i] = label(ui.glGroupBox1, name.constData(), captions[i], QRect(), 12);
        captionLabels[i]->setBold(true);
        captionLabels[i]->setShadowed(true);
        captionLabels[i]->setTextColor(theme::kInkDim.lighter(115));
        used += captionLabels[i]->sizeHint().width() + kGap + kDisplayWidth;
    }
    const int share = std::max(0, kWidth - used) / 4;
    int x = share / 2;
    for (int i = 0; i < 4; ++i) {
        const int textWidth = captionLabels[i]->sizeHint().width();
        captionLabels[i]->setGeometry(x, 9, textWidth, 24);
        ui.statusLabels[i] = captionLabels[i];
        QByteArray dname = "glDigits" + QByteArray::number(i + 1);
        *displays[i] = display(ui.glGroupBox1, dname.constData(), values[i],
                               QRect(x + textWidth + kGap, 8, kDisplayWidth, 26), captions[i]);
        x += textWidth + kGap + kDisplayWidth + share;
    }
}

void buildFilePanel(QWidget* form, FormControls& ui) {
    ui.glGroupBox2 = panel(form, "glGroupBox2", QStringLiteral(" Файл"), QRect(20, 43, 300, 264));
    ui.glLabel9 = label(ui.glGroupBox2, "glLabel9", QStringLiteral("Новый"), QRect(40, 36, 220, 30),
                        20, true);
    ui.glLabel10 = label(ui.glGroupBox2, "glLabel10", QStringLiteral("Открыть"),
                         QRect(40, 80, 220, 30), 20, true);
    ui.glLabel11 = label(ui.glGroupBox2, "glLabel11", QStringLiteral("Сохранить как ..."),
                         QRect(40, 124, 220, 30), 20, true);
    ui.glLabel12 = label(ui.glGroupBox2, "glLabel12", QStringLiteral("Выход"),
                         QRect(40, 168, 220, 30), 20, true);
    // Added under the others, which keep their places; the panel grew by one row for it.
    ui.exportSoundLabel =
        label(ui.glGroupBox2, "exportSoundLabel", QStringLiteral("Экспорт звука ..."),
              QRect(40, 212, 220, 30), 20, true);
}

void buildUtilityPanel(QWidget* form, FormControls& ui) {
    ui.glGroupBox3 =
        panel(form, "glGroupBox3", QStringLiteral(" Утилита"), QRect(190, 43, 329, 215));
    ui.glLabel13 = label(ui.glGroupBox3, "glLabel13", QStringLiteral("генерация цифр"),
                         QRect(30, 36, 280, 30), 20, true);
    ui.glLabel14 = label(ui.glGroupBox3, "glLabel14", QStringLiteral("генерация букв"),
                         QRect(30, 78, 280, 30), 20, true);
    ui.glLabel15 = label(ui.glGroupBox3, "glLabel15", QStringLiteral("генерация цифр и букв"),
                         QRect(30, 120, 280, 30), 20, true);
    ui.glLabel16 = label(ui.glGroupBox3, "glLabel16", QStringLiteral("генерация радиожаргона"),
                         QRect(30, 162, 280, 30), 20, true);
}

void buildSettingsPanel(QWidget* form, FormControls& ui) {
    auto* p = ui.glGroupBox8 =
        panel(form, "glGroupBox8", QStringLiteral(" Настройки"), QRect(76, 47, 640, 480));
    ui.glCheckBox13 =
        checkBox(p, "glCheckBox13", QStringLiteral(" системный динамик"), {24, 40}, true);
    ui.glCheckBox14 =
        checkBox(p, "glCheckBox14", QStringLiteral(" звуковая карта"), {24, 72}, false);
    ui.glGroupBox9 = panel(p, "glGroupBox9", QStringLiteral("эффект"), QRect(24, 112, 153, 201));
    const QString waves[] = {QStringLiteral(" sine"), QStringLiteral(" square"),
                             QStringLiteral(" triangle"), QStringLiteral(" sawtooth"),
                             QStringLiteral(" noise")};
    TglCheckBox** waveSlots[] = {&ui.glCheckBox15, &ui.glCheckBox16, &ui.glCheckBox17,
                                 &ui.glCheckBox18, &ui.glCheckBox19};
    for (int i = 0; i < 5; ++i) {
        QByteArray name = "glCheckBox" + QByteArray::number(15 + i);
        *waveSlots[i] =
            checkBox(ui.glGroupBox9, name.constData(), waves[i], {8, 24 + 32 * i}, i == 0);
    }
    ui.glGroupBox9->hide();

    const QString captions[] = {
        QStringLiteral("частота ( Герц )"),         QStringLiteral("отношение тире к точке"),
        QStringLiteral("пауза между знаками"),      QStringLiteral("пауза мекжду группами"),
        QStringLiteral("кол-во символов в группе"), QStringLiteral("общее количество групп")};
    const double defaults[] = {800, 3, 1, 1, 5, 10};
    TglDigits** displays[] = {&ui.glDigits5, &ui.glDigits6, &ui.glDigits7,
                              &ui.glDigits8, &ui.glDigits9, &ui.glDigits10};
    TglLabel** labels[] = {&ui.glLabel20, &ui.glLabel21, &ui.glLabel22,
                           &ui.glLabel23, &ui.glLabel24, &ui.glLabel25};
    TglCheckBox** minus[] = {&ui.glCheckBox24, &ui.glCheckBox25, &ui.glCheckBox26,
                             &ui.glCheckBox27, &ui.glCheckBox28, &ui.glCheckBox29};
    TglCheckBox** plus[] = {&ui.glCheckBox30, &ui.glCheckBox31, &ui.glCheckBox32,
                            &ui.glCheckBox33, &ui.glCheckBox34, &ui.glCheckBox35};
    for (int i = 0; i < 6; ++i) {
        int y = 40 + 56 * i;
        QByteArray n = QByteArray::number(20 + i);
        *labels[i] = label(p, ("glLabel" + n).constData(), captions[i], QRect(200, y, 254, 33), 15);
        (*labels[i])->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        (*labels[i])->setShadowed(true);
        *displays[i] = display(p, ("glDigits" + QByteArray::number(5 + i)).constData(), defaults[i],
                               QRect(488, y, 62, 33), captions[i]);
        *minus[i] =
            button(p, ("glCheckBox" + QByteArray::number(24 + i)).constData(), GlyphKind::Minus,
                   QRect(462, y + 5, 23, 23), QStringLiteral("уменьшить: ") + captions[i]);
        *plus[i] =
            button(p, ("glCheckBox" + QByteArray::number(30 + i)).constData(), GlyphKind::Plus,
                   QRect(553, y + 5, 23, 23), QStringLiteral("увеличить: ") + captions[i]);
    }
    ui.glDigits6->setRatioStyle(true);
    ui.glCheckBox20 =
        checkBox(p, "glCheckBox20", QStringLiteral(" вступление к передаче"), {56, 384}, true);
    ui.glCheckBox21 =
        checkBox(p, "glCheckBox21", QStringLiteral(" окончание передачи"), {392, 384}, true);
    ui.glGraphicButton3 = named(new TglGraphicButton(GlyphKind::Speaker, p), "glGraphicButton3");
    ui.glGraphicButton3->setGeometry(287, 432, 65, 33);
    ui.glGraphicButton3->setHint(QStringLiteral("проверка звука"));
    ui.glGraphicButton2 = named(new TglGraphicButton(GlyphKind::Close, p), "glGraphicButton2");
    ui.glGraphicButton2->setGeometry(621, 2, 17, 17);
    ui.glGraphicButton2->setHint(QStringLiteral("закрыть настройки"));
}

// The picture is a JPEG; without the image plugin it cannot be decoded and the panel shows
// its texts alone.
QLabel* authorPicture(QWidget* panel) {
    auto* picture = named(new QLabel(panel), "authorPicture");
    picture->setGeometry(14, 32, 120, 160);
    picture->setAccessibleName(QStringLiteral("Рисунок: телеграфный ключ и антенна"));
    picture->setStyleSheet(QStringLiteral("QLabel { border: 1px solid #05101c; }"));
    initFormImages();
    QImageReader reader(QStringLiteral(":/kelvatron/author.jpg"));
    const QImage image = reader.read();
    if (image.isNull()) {
        picture->hide();
        return picture;
    }
    picture->setPixmap(QPixmap::fromImage(
        image.scaled(picture->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    return picture;
}

void buildAuthorPanel(QWidget* form, FormControls& ui) {
    auto* p = ui.glGroupBox7 =
        panel(form, "glGroupBox7", QStringLiteral(" Автор"), QRect(277, 42, 398, 217));
    // Without the picture the texts take the whole width of the panel.
    const int left = authorPicture(p)->isHidden() ? 8 : 140;
    ui.authorTitle = named(new TGradientLabel(p), "authorTitle");
    ui.authorTitle->setGeometry(left, 30, 390 - left, 34);
    ui.authorTitle->setCaption(QStringLiteral("Kelvatron (V 1.41)"));
    const QString lines[] = {
        QStringLiteral("Тренажёр азбуки Морзе"), QStringLiteral("Разработчики Kelvatron"),
        QStringLiteral("Для радиолюбителей и курсантов"), QStringLiteral("Свободная программа"),
        QStringLiteral("Отзывы: в трекер проекта")};
    for (int i = 0; i < 5; ++i) {
        auto* line = label(p, ("authorLine" + QByteArray::number(i + 1)).constData(), lines[i],
                           QRect(left + 6, 72 + 24 * i, 384 - left, 22), i == 1 ? 14 : 13);
        line->setShadowed(true);
        line->setBold(i == 1);
        line->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        if (i != 1) line->setTextColor(QColor(214, 226, 238));
    }
    ui.glGraphicButton1 = named(new TglGraphicButton(GlyphKind::Close, p), "glGraphicButton1");
    ui.glGraphicButton1->setGeometry(378, 2, 17, 17);
    ui.glGraphicButton1->setHint(QStringLiteral("закрыть"));
}

// The training panels' frames; the training panel puts its commands and views in them.
void buildTrainingPanels(QWidget* form, FormControls& ui) {
    ui.trainingPanel =
        panel(form, "trainingPanel", QStringLiteral(" Тренировка"), QRect(596, 232, 190, 252));
    ui.historyPanel =
        panel(form, "historyPanel", QStringLiteral(" Журнал"), QRect(26, 44, 740, 500));
}

void buildExitConfirmation(QWidget* form, FormControls& ui) {
    auto* p = ui.glGroupBox10 = panel(form, "glGroupBox10", QString(), QRect(184, 234, 425, 105));
    p->setAccessibleName(QStringLiteral("Выход"));
    ui.glLabel4 = label(p, "glLabel4", QStringLiteral("Хотите выйти из программы ?"),
                        QRect(20, 14, 385, 30), 20);
    ui.glLabel4->setAlignment(Qt::AlignCenter);
    ui.glLabel4->setBold(true);
    ui.glLabel4->setShadowed(true);
    ui.glLabel71 = label(p, "glLabel71", QStringLiteral("Да"), QRect(160, 56, 44, 30), 20, true);
    ui.glLabel72 = label(p, "glLabel72", QStringLiteral("Нет"), QRect(216, 56, 50, 30), 20, true);
}

} // namespace

void buildFormControls(QWidget* form, FormControls& ui) {
    buildTopStrip(form, ui);
    buildOptionGroups(form, ui);
    buildTransmissionControls(form, ui);
    buildKeyboard(form, ui);
    buildStatusBar(form, ui);
    buildFilePanel(form, ui);
    buildUtilityPanel(form, ui);
    buildSettingsPanel(form, ui);
    buildAuthorPanel(form, ui);
    buildTrainingPanels(form, ui);
    buildExitConfirmation(form, ui);
    for (auto* floating : ui.floatingPanels()) {
        floating->setDraggable(true);
        floating->hide();
        floating->raise();
    }
    ui.glGroupBox10->hide();
    ui.glGroupBox10->raise();
    // Panels that float over the window cast a shadow, so they read as lying above it.
    for (auto* floating : ui.floatingPanels())
        new TglShadow(floating, 12, form);
    new TglShadow(ui.glGroupBox10, 12, form);
}

} // namespace kelvatron
