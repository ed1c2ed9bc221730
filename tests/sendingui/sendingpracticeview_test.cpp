#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "keying/signtable.h"
#include "platform/serialkeylink.h"
#include "sendingui/deviationhistogram.h"
#include "sendingui/sendingpracticeview.h"
#include "support/fakeclock.h"
#include "support/fakekeylineport.h"

using namespace kelvatron;

namespace {

// A view on a fake clock with a fake serial port, recording what it sounds and writes.
struct Panel : Sidetone {
    explicit Panel(std::string refusal = {}) {
        auto port = std::make_unique<test::FakeKeyLinePort>();
        fakePort = port.get();
        fakePort->refusal = std::move(refusal);
        link = std::make_unique<SerialKeyLink>(std::move(port), clock, [this] { return present; });
        view = std::make_unique<SendingPracticeView>(clock, *this, link.get());
        view->setTextSink([this](const std::string& t) { text += fromCp1251(t); });
        view->setFinishedHandler([this](const SendingOutcome& o) { outcome = o; });
        view->setDotMs(60);
    }
    void toneOn(double) override { ++tones, sounding = true; }
    void toneOff(double) override { sounding = false; }

    // Runs the panel's timer every 5 ms up to t.
    void until(double t) {
        while (clock.time + 5 <= t) {
            clock.time += 5;
            view->pollNow();
        }
        clock.time = t;
    }
    bool key(int key, quint32 scan, bool down, double t, bool repeat = false) {
        until(t);
        QKeyEvent e(down ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier, scan, 0, 0,
                    {}, repeat);
        e.setTimestamp(quint64(t) + 100000); // the X server's clock runs elsewhere
        return view->handleKey(&e);
    }
    // Holds a key for holdMs while the keyboard repeats it every 30 ms, flagged or (as some X
    // servers do) as an unflagged release and press with one stamp.
    void hold(int k, quint32 scan, double from, double holdMs) {
        key(k, scan, true, from);
        for (double t = from + 30; t < from + holdMs; t += 30) {
            const bool flagged = int(t) % 60 == 0;
            key(k, scan, false, t, flagged), key(k, scan, true, t, flagged);
        }
        key(k, scan, false, from + holdMs);
    }
    // Keys a Windows-1251 word on Space at a 60 ms dot from t; returns the end.
    double send(const std::string& cp1251, double t = 0) {
        for (char c : cp1251) {
            for (char element : kSignTable[*findSign({&c, 1})].code) {
                hold(Qt::Key_Space, 65, t, element == '-' ? 180 : 60);
                t += (element == '-' ? 180 : 60) + 60;
            }
            t += 120;
        }
        return t;
    }
    QLabel* label(const char* name) { return view->findChild<QLabel*>(name); }

    std::vector<SerialPortChoice> present{{"ttyUSB9", "USB key"}};
    test::FakeClock clock;
    test::FakeKeyLinePort* fakePort;
    std::unique_ptr<SerialKeyLink> link;
    std::unique_ptr<SendingPracticeView> view;
    int tones = 0;
    bool sounding = false;
    std::string text;
    std::optional<SendingOutcome> outcome;
};

} // namespace

// ПАРИЖ keyed evenly on Space where ПОРИЖ was to be sent: decoded as keyed, one tone per element
// (the repeats never key), the speed, a spread beside each mean, the figure, and the sign that
// went wrong.
TEST(SendingPracticeView, SpaceKeyingIsDecodedCheckedAndReported) {
    Panel panel;
    panel.view->setChoices({KeyerMode::IambicA, "", true});
    panel.view->setSentText([] { return toCp1251("ПОРИЖ"); });
    panel.view->start();
    panel.until(panel.send(toCp1251("ПАРИЖ")) + 600);
    EXPECT_EQ(panel.text, "ПАРИЖ ");
    EXPECT_EQ(panel.tones, 15);
    EXPECT_EQ(panel.label("speed")->text(), "Скорость: 100 зн/мин (20.0 WPM)");
    EXPECT_EQ(panel.label("spread")->text(), "Разброс: точки ±0 %, тире ±0 %");
    EXPECT_EQ(panel.label("elementGap")->text(), "Между элементами: 1.0 × нормы ±0 %");
    EXPECT_EQ(panel.label("wordGap")->text(), "между словами: —");
    panel.view->finish();
    ASSERT_TRUE(panel.outcome && panel.outcome->check);
    EXPECT_EQ(panel.outcome->record.kind, "send");
    EXPECT_EQ(panel.label("figure")->text(), "Знаков: 5, ошибок: 1 (20.0 %)");
    EXPECT_EQ(panel.label("figure")->accessibleName(), panel.label("figure")->text());
    auto* rows = panel.view->findChild<QTextBrowser*>("sendingRows");
    EXPECT_FALSE(rows->isHidden());
    EXPECT_EQ(rows->accessibleDescription(), "ошибка: А вместо О");
    const QString plain = rows->toPlainText();
    EXPECT_TRUE(plain.contains("Текст    ПОРИЖ") && plain.contains("Передано ПАРИЖ"))
        << plain.toStdString();
    panel.view->start(); // a new run starts without the old rows
    EXPECT_TRUE(rows->isHidden());
}

TEST(SendingPracticeView, EachKeyKeysItsOwnElementThroughTheRepeats) {
    struct Row {
        int key;
        quint32 scan;
        double holdMs;
        const char* text;
    } rows[] = {
        {Qt::Key_Space, 65, 200, "Т"},
        {Qt::Key_Control, 37, 50, "Е"},
        {Qt::Key_Control, 105, 50, "Т"},
        {Qt::Key_BracketRight, 35, 50, "Т"},
        {0, 34, 50, "Е"}, // '[' where a Cyrillic layout names the key Х
    };
    for (const auto& row : rows) {
        Panel panel;
        panel.view->start();
        panel.hold(row.key, row.scan, 0, row.holdMs);
        panel.until(1000);
        EXPECT_EQ(panel.text, std::string(row.text) + " ") << row.key << " " << row.scan;
        EXPECT_EQ(panel.tones, 1);
    }
}

TEST(SendingPracticeView, OtherKeysAndKeysOutsideARunAreLeftAlone) {
    Panel panel;
    EXPECT_FALSE(panel.key(Qt::Key_Space, 65, true, 0)); // no run yet
    panel.view->start();
    EXPECT_FALSE(panel.key(Qt::Key_A, 38, true, 10));
    EXPECT_TRUE(panel.key(Qt::Key_Space, 65, true, 20));
    EXPECT_TRUE(panel.sounding);
    panel.view->releaseAll(); // the window lost the keyboard with the key held
    EXPECT_FALSE(panel.sounding);
}

TEST(SendingPracticeView, SerialKeyKeysAndAPortThatFailsIsReported) {
    Panel panel;
    auto* port = panel.view->findChildren<QComboBox*>().at(1);
    ASSERT_EQ(port->count(), 2);
    emit port->activated(1);
    ASSERT_TRUE(panel.fakePort->isOpen);
    panel.view->setChoices({KeyerMode::Straight, "ttyUSB9", false});
    panel.view->start();
    auto lines = [&](double t, bool cts) {
        panel.until(t);
        panel.fakePort->now.cts = cts;
        panel.link->reader().poll();
    };
    lines(0, true), lines(180, false), panel.until(1000);
    EXPECT_EQ(panel.text, "Т ");

    Panel refused("такого порта нет");
    emit refused.view->findChildren<QComboBox*>().at(1)->activated(1);
    EXPECT_EQ(refused.label("portMessage")->text().toStdString(),
              "Не удалось открыть порт «ttyUSB9»: такого порта нет. Передача идёт с клавиатуры.");
    refused.view->start();
    refused.hold(Qt::Key_Space, 65, 0, 60);
    refused.until(1000);
    EXPECT_EQ(refused.text, "Е ");
}

// The stored port is not there at start: said once in the panel, kept as the choice, and opened
// when "Обновить" finds it plugged in.
TEST(SendingPracticeView, AStoredPortThatIsNotThereIsSaidAndTakenUpOnceBack) {
    Panel panel;
    panel.view->setChoices({KeyerMode::Straight, "ttyUSB0", false});
    EXPECT_EQ(panel.label("portMessage")->text().toStdString(),
              "Порта ключа «ttyUSB0» сейчас нет: адаптер не подключён? Подключите его и нажмите "
              "«Обновить». Передача идёт с клавиатуры.");
    EXPECT_EQ(panel.view->choices().port, "ttyUSB0");
    EXPECT_FALSE(panel.fakePort->isOpen);
    panel.present.push_back({"ttyUSB0", ""});
    for (auto* button : panel.view->findChildren<QPushButton*>())
        if (button->text() == "Обновить") button->click();
    EXPECT_TRUE(panel.fakePort->isOpen);
    EXPECT_TRUE(panel.label("portMessage")->text().isEmpty());
    EXPECT_EQ(panel.view->choices().port, "ttyUSB0");
}

// Each bar carries its count above it; an empty bin has none.
TEST(DeviationHistogram, CountsStandAboveTheirBars) {
    DeviationHistogram histogram;
    histogram.resize(240, 160);
    std::array<int, 12> bins{};
    bins[3] = 7, bins[8] = 2;
    histogram.setBins(bins);
    const QImage image = histogram.grab().toImage();
    // Light ink in the strip of 13 px above where a bar of `count` (of the tallest 7) ends.
    auto inkAbove = [&](int bin, int count) {
        const double step = 224.0 / 12, plotTop = 35, plotHeight = 105;
        const int top = int(plotTop + plotHeight * (7 - count) / 7);
        int ink = 0;
        for (int y = top - 13; y < top - 1; ++y)
            for (int x = int(8 + bin * step + 2); x < int(8 + (bin + 1) * step - 2); ++x)
                ink += qGray(image.pixel(x, y)) > 160;
        return ink;
    };
    EXPECT_GT(inkAbove(3, 7), 5);
    EXPECT_GT(inkAbove(8, 2), 5);
    EXPECT_EQ(inkAbove(5, 0), 0);
}
