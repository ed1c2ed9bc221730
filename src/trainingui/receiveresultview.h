#pragma once
#include <QWidget>
#include <string>
#include <string_view>
#include <vector>

#include "training/exercisespeed.h"
#include "training/receivecheck.h"
#include "trainingui/alignedrows.h"

class QLabel;
class QTableWidget;
class QTextBrowser;

namespace kelvatron {

// The result of a receive check, for the training panel: the figure on its own line, the sent
// and typed texts in aligned rows with every mistake marked, the exercise's speeds and the
// table of signs taken wrong. Transparent, in the panels' white type: it sits on a panel.
class ReceiveResultView : public QWidget {
    Q_OBJECT
public:
    explicit ReceiveResultView(QWidget* parent = nullptr);

    // Shows a check of typedCp1251 against sentCp1251 (the texts checkReceived was given) and
    // the speed of the exercise that keyed sentCp1251.
    void setResult(const ReceiveCheck& check, const ExerciseSpeed& speed,
                   std::string_view sentCp1251, std::string_view typedCp1251);
    void clear();
    // Says the result to a screen reader: the figure takes the focus, its name the figure and its
    // description the mistakes and speeds, which a screen reader reads on a focus change. Call
    // it once the view shows.
    void announce();

    QLabel* figureLabel() const { return figure_; }
    QTextBrowser* rowsView() const { return rows_; }
    QTableWidget* confusionTable() const { return table_; }
    // The mistakes in words, as the rows' accessible description gives them.
    QString mistakesText() const { return summary_; }
    QString speedText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QWidget* buildRows();
    QWidget* buildSpeeds();
    QWidget* buildTable();
    void fillTable(const std::vector<Confusion>& confusions);
    void showSpeed(const ExerciseSpeed& speed);
    int columnsThatFit() const;
    void layOutRows();

    QLabel* figure_;
    QTextBrowser* rows_;
    QLabel* legend_;
    QLabel* characterSpeed_;
    QLabel* effectiveSpeed_;
    QLabel* tableCaption_;
    QTableWidget* table_;
    std::vector<AlignedCell> cells_;
    QString summary_;
    int columns_ = 0;
};

} // namespace kelvatron
