#pragma once
#include <QWidget>
#include <string>
#include <vector>

#include "training/historystore.h"

class QChartView;
class QComboBox;
class QLabel;
class QStackedWidget;

namespace kelvatron {

class Dialogs;
class TglCheckBox;
class TglLabel;

// "Журнал": the learner's history as charts — error rate and speed over the sessions, error
// rate per sign (weakest first) — narrowed to one kind of exercise, the sessions shown exported
// as CSV, and one chosen exercise (from the list or a point of the chart) deleted. Reads the
// store when built and on refresh(); transparent, it sits on a panel.
class HistoryView : public QWidget {
    Q_OBJECT
public:
    HistoryView(HistoryStore& store, Dialogs& dialogs, QWidget* parent = nullptr);

    // Reads the store again (after an exercise was recorded).
    void refresh();
    // "" for every kind, else SessionRecord::kind ("receive", "send").
    void setKind(const std::string& kind);
    const std::string& kind() const { return kind_; }
    // Asks for a file name and writes the sessions shown there; a failure is shown as an error.
    void exportCsv();
    // Asks whether the chosen exercise is to go, and deletes it with its per-sign records.
    void deleteChosen();
    // Chooses the exercise shown at `index` (0 the oldest, as on the chart).
    void choose(int index);

    QChartView* progressView() const { return progress_; }
    QChartView* signView() const { return signs_; }
    QLabel* statusLine() const { return status_; }
    QComboBox* exerciseList() const { return exercises_; }
    TglLabel* deleteButton() const { return delete_; }
    const std::vector<TglCheckBox*>& kindBoxes() const { return kindBoxes_; }

private:
    QWidget* buildControls();
    QWidget* buildExerciseRow();
    void fillExercises();
    QChartView* chartView(const QString& name);
    std::vector<SignErrorRate> signRates() const;

    HistoryStore& store_;
    Dialogs& dialogs_;
    std::string kind_;
    QStackedWidget* pages_;
    QLabel* empty_;
    QChartView* progress_;
    QChartView* signs_;
    TglLabel* export_;
    QLabel* status_;
    std::vector<TglCheckBox*> kindBoxes_;
    QComboBox* exercises_;
    TglLabel* delete_;
    std::vector<SessionRecord> shown_; // oldest first, as the chart draws them
};

} // namespace kelvatron
