#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/dialogs.h"

namespace kelvatron::test {

// Answers the program's boxes from a script and records what was asked. An unscripted file
// dialog is cancelled and an unscripted question answered No.
class FakeDialogs : public Dialogs {
public:
    std::optional<std::string> openFileName(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return next(openAnswers).value_or(std::nullopt);
    }
    std::optional<std::string> saveFileName(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return next(saveAnswers).value_or(std::nullopt);
    }
    bool confirm(const std::string& message) override {
        questions.push_back(message);
        return next(confirmAnswers).value_or(false);
    }
    void error(const std::string& message) override { errors.push_back(message); }

    std::deque<std::optional<std::string>> openAnswers, saveAnswers;
    std::deque<bool> confirmAnswers;
    std::vector<FileDialogRequest> openRequests, saveRequests;
    std::vector<std::string> questions, errors;

private:
    template <typename T> static std::optional<T> next(std::deque<T>& answers) {
        if (answers.empty()) return std::nullopt;
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace kelvatron::test
