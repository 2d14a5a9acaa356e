#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace folix::testing {

ScriptedUi::~ScriptedUi() {
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " scripted answer(s) never asked for";
}

Ui::Answer ScriptedUi::NextAnswer(const std::string& text) {
    questions.push_back(text);
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question: " << text;
        return Answer::kNo;
    }
    const Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

bool ScriptedUi::AskYesNo(const std::string& text) {
    const Answer answer = NextAnswer(text);
    EXPECT_NE(answer, Answer::kCancel) << "a Yes/No question cannot be cancelled: " << text;
    return answer == Answer::kYes;
}

Ui::Answer ScriptedUi::AskYesNoCancel(const std::string& text) {
    return NextAnswer(text);
}

std::unique_ptr<Ui::WaitCursor> ScriptedUi::BeginWait() {
    ++waits;
    return std::make_unique<WaitCursor>();
}

}  // namespace folix::testing
