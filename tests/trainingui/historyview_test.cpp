#include <gtest/gtest.h>

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QLineSeries>

#include "core/cp1251.h"
#include "support/tempfolder.h"
#include "support/fakedialogs.h"
#include "trainingui/historycharts.h"
#include "trainingui/historyview.h"
#include "trainingui/receiveresultview.h"
#include "trainingui_testing.h"
#include "widgets/glyphs.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgllabel.h"

using namespace kelvatron;

namespace {

class History : public ::testing::Test, public test::TempFolder {
protected:
    HistoryStore store{path("history.sqlite")};
    test::FakeDialogs dialogs;

    void add(const char* kind, const char* sent, const char* typed, double wpm,
             const std::string& startedAt = {}) {
        SessionRecord s;
        s.startedAt = startedAt;
        s.kind = kind;
        s.source = "Буквы";
        s.dotMs = int(1200 / wpm);
        s.charWpm = wpm;
        ASSERT_TRUE(store.record(s, checkReceived(toCp1251(sent), toCp1251(typed))));
    }
    static std::vector<int> pointsPerSeries(const QChartView* view) {
        std::vector<int> out;
        for (QAbstractSeries* s : view->chart()->series())
            out.push_back(int(static_cast<QLineSeries*>(s)->count()));
        return out;
    }
    // Every text the chart draws (title, axis titles and labels), as laid out.
    static QStringList drawnTexts(const QChartView* view) {
        QStringList out;
        for (QGraphicsItem* item : view->scene()->items())
            if (auto* text = dynamic_cast<QGraphicsTextItem*>(item))
                if (text->isVisible()) out << text->toPlainText();
        return out;
    }
    static QStringList bars(const QChartView* view) {
        QStringList out;
        auto* series = static_cast<QBarSeries*>(view->chart()->series().at(0));
        for (int i = 0; i < series->barSets().at(0)->count(); ++i)
            out << QString::number(series->barSets().at(0)->at(i));
        return out;
    }
};

} // namespace

TEST_F(History, ChartsFollowTheSessionsAndTheKindFilter) {
    add("receive", "АБВГ", "АБВГ", 20);
    add("receive", "АБВГ", "АБВ", 24);
    add("send", "АААА", "ААББ", 15);
    HistoryView view(store, dialogs);
    EXPECT_EQ(pointsPerSeries(view.progressView()), (std::vector<int>{3, 3}));
    // Weakest first: Б was sent once (as Б) and never wrong; А 6 times, 2 wrong; Г 2, 1 wrong.
    EXPECT_EQ(bars(view.signView()).first(), "50");

    view.kindBoxes().at(1)->click(); // "приём"
    EXPECT_EQ(view.kind(), "receive");
    EXPECT_EQ(pointsPerSeries(view.progressView()), (std::vector<int>{2, 2}));
    EXPECT_EQ(bars(view.signView()), (QStringList{"50", "0", "0", "0"}));
    EXPECT_TRUE(view.progressView()->accessibleDescription().startsWith("Упражнений: 2."));
}

TEST_F(History, EveryControlHasAnAccessibleName) {
    add("receive", "АБВГ", "АБВ", 20);
    HistoryView history(store, dialogs);
    ReceiveResultView result;
    // Controls and displays of the views; the parts inside a scroll area (viewport, scroll
    // bars, headers) are the area's own.
    auto ownPart = [](QWidget* w) {
        for (QObject* p = w->parent(); p; p = p->parent())
            if (p->inherits("QAbstractScrollArea")) return false;
        return w->focusPolicy() != Qt::NoFocus || w->inherits("QAbstractScrollArea") ||
               (qobject_cast<QLabel*>(w) && !static_cast<QLabel*>(w)->text().isEmpty());
    };
    for (QWidget* root : std::initializer_list<QWidget*>{&history, &result})
        for (QWidget* w : root->findChildren<QWidget*>())
            if (ownPart(w)) {
                EXPECT_FALSE(w->accessibleName().isEmpty())
                    << w->metaObject()->className() << " " << w->objectName().toStdString();
            }
}

// At the journal's size in the window every label is drawn whole ("…" was drawn for numbers
// when the axes had many ticks), the speed axis labelled in numbers and the exercises by date.
TEST_F(History, AxesShowWholeNumbersAndDates) {
    const double speeds[] = {20, 22, 24, 25, 24, 23, 25};
    for (int i = 0; i < 7; ++i)
        add("receive", "АБВГДЕЖЗИК", i % 2 ? "АБВГДЕЖЗИЛ" : "АБВГДЕЖЗИК", speeds[i],
            "2026-11-" + std::to_string(20 + i / 3) + "T12:0" + std::to_string(i) + ":00");
    HistoryView view(store, dialogs);
    view.resize(732, 474);
    view.show();
    QApplication::processEvents();
    const QStringList texts = drawnTexts(view.progressView());
    for (const QString& text : texts)
        EXPECT_FALSE(text.contains(QChar(0x2026)) || text.contains("...")) << text.toStdString();
    for (const char* label : {"0", "50", "100", "150", "20.11", "21.11", "22.11"})
        EXPECT_TRUE(texts.contains(label)) << label << " in " << texts.join("|").toStdString();
}

// The letter З and the digit 3 differ on the sign axis and in its description.
TEST_F(History, TheDigitThreeIsToldFromTheLetterZe) {
    const std::vector<SignErrorRate> rates = {{"З", 2, 1, 0.5}, {"3", 2, 1, 0.5}};
    std::unique_ptr<QChart> chart(signRateChart(rates));
    auto* axis = qobject_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).at(0));
    ASSERT_TRUE(axis);
    EXPECT_EQ(axis->categories().at(0), "З");
    EXPECT_EQ(axis->categories().at(1), QString(kShownThree));
    EXPECT_TRUE(signRateDescription(rates).contains("З — 50.0 %; 3 (цифра) — 50.0 %"))
        << signRateDescription(rates).toStdString();
}

// The CSV holds what the kind filter shows; a chosen exercise is deleted after a Yes, with its
// per-sign records, and kept after a No.
TEST_F(History, ExportAndDeleteFollowWhatIsShown) {
    add("receive", "АБВ", "АБВ", 20, "2026-11-20T10:00:00Z");
    add("send", "ААА", "ААБ", 15, "2026-11-20T11:00:00Z");
    add("receive", "ГДЕ", "Г", 20, "2026-11-21T10:00:00Z");
    HistoryView view(store, dialogs);
    view.kindBoxes().at(1)->click(); // "приём"
    dialogs.saveAnswers.push_back(path("out.csv"));
    view.exportCsv();
    const std::string csv = get(path("out.csv"));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3) << csv;
    EXPECT_EQ(csv.find(",send,"), std::string::npos) << csv;

    ASSERT_EQ(view.exerciseList()->count(), 2);
    EXPECT_TRUE(view.exerciseList()->currentText().startsWith("21.11.2026")) << "newest first";
    dialogs.confirmAnswers = {false, true};
    view.deleteButton()->click();
    EXPECT_EQ(store.sessions().size(), 3u) << "No keeps it";
    view.deleteButton()->click();
    ASSERT_EQ(dialogs.questions.size(), 2u);
    EXPECT_NE(dialogs.questions[1].find("21.11.2026"), std::string::npos) << dialogs.questions[1];
    ASSERT_EQ(store.sessions().size(), 2u);
    EXPECT_EQ(store.sessions().back().kind, "send");
    EXPECT_EQ(view.exerciseList()->count(), 1);
    for (const SignErrorRate& r : store.errorRatePerSign())
        EXPECT_TRUE(r.sign == "А" || r.sign == "Б" || r.sign == "В") << r.sign << " was deleted";
}
