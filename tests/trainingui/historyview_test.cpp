#include <gtest/gtest.h>

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>

#include "core/cp1251.h"
#include "radiograms/tempfolder.h"
#include "support/fakedialogs.h"
#include "trainingui/historyview.h"
#include "trainingui/receiveresultview.h"
#include "trainingui_testing.h"
#include "widgets/tglcheckbox.h"
#include "widgets/tgllabel.h"

using namespace kelvatron;

namespace {

class History : public ::testing::Test, public test::TempFolder {
protected:
    HistoryStore store{path("history.sqlite")};
    test::FakeDialogs dialogs;

    void add(const char* kind, const char* sent, const char* typed, double wpm) {
        SessionRecord s;
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
            if (ownPart(w))
                EXPECT_FALSE(w->accessibleName().isEmpty())
                    << w->metaObject()->className() << " " << w->objectName().toStdString();
}
