#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace folix::testing {

// A Ui for tests: records every message, notice and beep, answers questions from a script, and
// fails the test on a question nobody scripted.
class ScriptedUi : public Ui {
public:
    ~ScriptedUi() override;

    // The next question is answered so.
    void ExpectQuestion(bool answer) { answers_.push_back(answer ? Answer::kYes : Answer::kNo); }
    // The next question is answered so; only a Yes/No/Cancel question takes kCancel.
    void ExpectAnswer(Answer answer) { answers_.push_back(answer); }

    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskYesNo(const std::string& text) override;
    Answer AskYesNoCancel(const std::string& text) override;
    void ShowNotice(const std::string& text) override { notices.push_back(text); }
    void Beep() override { ++beeps; }
    std::unique_ptr<WaitCursor> BeginWait() override;

    std::vector<std::string> messages;
    std::vector<std::string> notices;
    std::vector<std::string> questions;
    int beeps = 0;
    int waits = 0;

private:
    Answer NextAnswer(const std::string& text);

    std::deque<Answer> answers_;
};

}  // namespace folix::testing
