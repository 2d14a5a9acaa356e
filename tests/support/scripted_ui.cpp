#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace folix::testing {

ScriptedUi::~ScriptedUi() {
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " scripted answer(s) never asked for";
}

bool ScriptedUi::AskYesNo(const std::string& text) {
    questions.push_back(text);
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question: " << text;
        return false;
    }
    bool answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::unique_ptr<Ui::WaitCursor> ScriptedUi::BeginWait() {
    ++waits;
    return std::make_unique<WaitCursor>();
}

}  // namespace folix::testing
