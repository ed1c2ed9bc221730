#pragma once
#include <memory>

#include "training/historystore.h"

namespace kelvatron {

class Dialogs;

// The learner's history as the training's panels share it: opened at its first use (where
// historyPath says then), its messages (a damaged file put aside, a database that cannot be
// written) shown once each.
class LearnerHistory {
public:
    explicit LearnerHistory(Dialogs& dialogs) : dialogs_(dialogs) {}

    HistoryStore& store();
    // Shows what the store has to say since it was last asked.
    void showMessages();

private:
    Dialogs& dialogs_;
    std::unique_ptr<HistoryStore> store_;
};

} // namespace kelvatron
