#include <gtest/gtest.h>

#include <QTableWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include "core/cp1251.h"
#include "trainingui/receiveresultview.h"
#include "trainingui/trainingstyle.h"
#include "trainingui_testing.h"

using namespace kelvatron;

namespace {

struct Shown {
    ReceiveResultView view;
    explicit Shown(const char* sent, const char* typed, int width = 700) {
        view.resize(width, 500);
        const std::string s = toCp1251(sent), t = toCp1251(typed);
        view.setResult(checkReceived(s, t), exerciseSpeed(s, KeyingPace{}), s, t);
    }
    QStringList lines() const { return view.rowsView()->toPlainText().split('\n'); }
    // The background of the character at a column of a row line (captions take 9 columns).
    QColor background(int line, int column) const {
        const QTextBlock block = view.rowsView()->document()->findBlockByNumber(line);
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + 9 + column + 1);
        return cursor.charFormat().background().color();
    }
    // The confusion table's cells row by row, as shown or as a screen reader hears them.
    QStringList tableCells(int role = Qt::DisplayRole) const {
        QStringList out;
        for (int i = 0; i < view.confusionTable()->rowCount() * 3; ++i)
            out << view.confusionTable()->item(i / 3, i % 3)->data(role).toString();
        return out;
    }
};

} // namespace

TEST(ReceiveResult, MistakesAreMarkedInColourAndInText) {
    struct Row {
        const char* name;
        const char* sent;
        const char* typed;
        QString sentRow, typedRow, summary;
        int column; // of the marked column
        QColor colour;
    };
    const Row rows[] = {
        {"substitution", "АБВ ГД", "АЖВ ГД", "АБВ ГД", "АЖВ ГД", "ошибка: Ж вместо Б", 1,
         trainingstyle::kWrong},
        {"extra typed after a space opens the next group", "АБ ВГ", "АБ Т ВГ", "АБ ·ВГ", "АБ ТВГ",
         "лишний: Т", 3, trainingstyle::kExtra},
        {"nothing typed", "АБ", "", "АБ", "__", "пропуск: А; пропуск: Б", 0,
         trainingstyle::kMissed},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Shown shown(row.sent, row.typed);
        const QStringList lines = shown.lines();
        ASSERT_GE(lines.size(), 2);
        EXPECT_EQ(lines[0], "Передано " + row.sentRow);
        EXPECT_EQ(lines[1], "Принято  " + row.typedRow);
        EXPECT_EQ(shown.view.mistakesText(), row.summary);
        EXPECT_EQ(shown.view.rowsView()->accessibleDescription(), row.summary);
        EXPECT_EQ(shown.background(0, row.column), row.colour);
        EXPECT_EQ(shown.background(1, row.column), row.colour);
    }
}

TEST(ReceiveResult, RowsBreakBetweenGroupsAndCutOnlyLongOnes) {
    const std::string sent = toCp1251("АБВГ ДЕЖЗ ИКЛМ НОПРСТУФХЦЧ");
    const ReceiveCheck check = checkReceived(sent, sent);
    const QString text =
        QTextDocumentFragment::fromHtml(alignedRowsHtml(alignedCells(check, sent, sent), 10))
            .toPlainText();
    const QStringList sentRows = text.split('\n').filter("Передано");
    EXPECT_EQ(sentRows, (QStringList{"Передано АБВГ ДЕЖЗ", "Передано ИКЛМ", "Передано НОПРСТУФХЦ",
                                     "Передано Ч"}));
}

TEST(ReceiveResult, ConfusionTableCountsMostFrequentFirst) {
    EXPECT_EQ(Shown("БАБ КОТ", "ВАВ КО").tableCells(),
              (QStringList{"Б", "В", "2", "Т", "пропуск", "1"}));
}

// The digit 3 is shown flat-topped in the rows and the table, so it is not read as the letter З;
// words for a screen reader keep the digit.
TEST(ReceiveResult, TheDigitThreeIsShownUnlikeTheLetter) {
    Shown shown("3З", "З3");
    const QStringList lines = shown.lines();
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("Передано \u01B7З"));
    EXPECT_EQ(lines[1], QStringLiteral("Принято  З\u01B7"));
    EXPECT_EQ(shown.view.mistakesText(), "ошибка: З вместо 3; ошибка: 3 вместо З");
    EXPECT_EQ(shown.tableCells(), (QStringList{"З", "\u01B7", "1", "\u01B7", "З", "1"}));
    EXPECT_EQ(shown.tableCells(Qt::AccessibleTextRole),
              (QStringList{"З", "3", "1", "3", "З", "1"}));
}
