#pragma once

#include <memory>
#include <string>

namespace folix {

// What the core asks of whoever shows messages to the writer: the Qt windows, the console of the
// command line, or a script in the tests. Every text arrives finished, in UTF-8.
class Ui {
public:
    // Held while a long job runs; the wait cursor goes when it is destroyed.
    class WaitCursor {
    public:
        virtual ~WaitCursor() = default;
    };

    enum class Answer { kYes, kNo, kCancel };

    virtual ~Ui() = default;

    // A modal message box with only an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // A modal Yes/No question; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // A modal Yes/No/Cancel question, where Cancel takes back what led to it. Where nobody can
    // take anything back (the command line) it is the Yes/No question.
    virtual Answer AskYesNoCancel(const std::string& text) {
        return AskYesNo(text) ? Answer::kYes : Answer::kNo;
    }
    // The modeless notice window: a beep, then the text; the caller does not wait.
    virtual void ShowNotice(const std::string& text) = 0;
    // A bare system beep: a refusal without a message.
    virtual void Beep() = 0;
    virtual std::unique_ptr<WaitCursor> BeginWait() = 0;
};

}  // namespace folix
