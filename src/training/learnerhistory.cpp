#include "training/learnerhistory.h"

#include <cstdlib>

#include "core/dialogs.h"

namespace kelvatron {

HistoryStore& LearnerHistory::store() {
    if (!store_) {
        store_ = std::make_unique<HistoryStore>(historyPath(std::getenv));
        showMessages();
    }
    return *store_;
}

void LearnerHistory::showMessages() {
    if (!store_) return;
    for (const std::string& message : store_->takeMessages())
        dialogs_.error(message);
}

} // namespace kelvatron
