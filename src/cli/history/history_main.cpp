#include <unistd.h>

#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_context.h"
#include "cli/console_ui.h"
#include "cli/control_escaping_stream.h"
#include "cli/history/history_command.h"

// folix-history: `folix history` handed over to a program of its own, so that the repository
// library is loaded by this command alone and every other command starts without it. Its
// arguments are those after `history`.
int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    folix::ControlEscapingStream err(std::cerr);
    folix::ControlEscapingStream terminal_out(std::cout);
    std::ostream& out = ::isatty(STDOUT_FILENO) != 0 ? terminal_out : std::cout;
    folix::ConsoleUi ui(err, folix::AnswerPolicy::kAsk, ::isatty(STDIN_FILENO) != 0);
    folix::CommandContext context{std::vector<std::string>(argv + 1, argv + argc), ui, out, err};
    return folix::RunHistory(context);
}
