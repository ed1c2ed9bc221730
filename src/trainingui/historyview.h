#pragma once
#include <QWidget>
#include <string>
#include <vector>

#include "training/historystore.h"

class QChartView;
class QLabel;
class QStackedWidget;

namespace kelvatron {

class Dialogs;
class TglCheckBox;
class TglLabel;

// "Журнал": the learner's history as charts — error rate and speed over the sessions, error
// rate per sign (weakest first) — narrowed to one kind of exercise, and the sessions exported
// as CSV. Reads the store when built and on refresh(); transparent, it sits on a panel.
class HistoryView : public QWidget {
    Q_OBJECT
public:
    HistoryView(HistoryStore& store, Dialogs& dialogs, QWidget* parent = nullptr);

    // Reads the store again (after an exercise was recorded).
    void refresh();
    // "" for every kind, else SessionRecord::kind ("receive", "send").
    void setKind(const std::string& kind);
    const std::string& kind() const { return kind_; }
    // Asks for a file name and writes every session there; a failure is shown as an error.
    void exportCsv();

    QChartView* progressView() const { return progress_; }
    QChartView* signView() const { return signs_; }
    QLabel* emptyLine() const { return empty_; }
    QLabel* statusLine() const { return status_; }
    TglLabel* exportButton() const { return export_; }
    const std::vector<TglCheckBox*>& kindBoxes() const { return kindBoxes_; }

private:
    QWidget* buildControls();
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
};

} // namespace kelvatron
