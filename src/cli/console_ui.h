#pragma once

#include <iosfwd>

#include "platform/ui.h"

namespace folix {

// How a question is answered on the command line.
enum class AnswerPolicy {
    kAsk,     // ask on a terminal; answer No when there is none
    kAlwaysYes,
    kAlwaysNo,
};

// The Ui of the command line: every message and notice goes to the error stream.
class ConsoleUi : public Ui {
public:
    ConsoleUi(std::ostream& err, AnswerPolicy policy, bool interactive);

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    void ShowNotice(const std::string& text) override;
    void Beep() override;
    std::unique_ptr<WaitCursor> BeginWait() override;

    AnswerPolicy policy() const { return policy_; }

private:
    std::ostream& err_;
    AnswerPolicy policy_;
    bool interactive_;
};

}  // namespace folix
