#include "cli/console_ui.h"

#include <iostream>
#include <string>

namespace folix {

ConsoleUi::ConsoleUi(std::ostream& err, AnswerPolicy policy, bool interactive)
    : err_(err), policy_(policy), interactive_(interactive) {}

void ConsoleUi::ShowMessage(const std::string& text) { err_ << text << '\n'; }

bool ConsoleUi::AskYesNo(const std::string& text) {
    err_ << text;
    bool yes = false;
    if (policy_ == AnswerPolicy::kAlwaysYes) {
        yes = true;
    } else if (policy_ == AnswerPolicy::kAsk && interactive_) {
        err_ << " [y/N] " << std::flush;
        std::string answer;
        std::getline(std::cin, answer);
        yes = answer == "y" || answer == "Y" || answer == "yes";
        return yes;
    }
    err_ << (yes ? " -> はい" : " -> いいえ") << '\n';
    return yes;
}

void ConsoleUi::ShowNotice(const std::string& text) { err_ << text << '\n'; }

void ConsoleUi::Beep() {
    if (interactive_) {
        err_ << '\a' << std::flush;
    }
}

std::unique_ptr<Ui::WaitCursor> ConsoleUi::BeginWait() { return std::make_unique<WaitCursor>(); }

}  // namespace folix
