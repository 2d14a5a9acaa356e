#include "cli/handed_over_main.h"

#include <unistd.h>

#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_context.h"
#include "cli/console_ui.h"
#include "cli/control_escaping_stream.h"

namespace folix {

int RunHandedOverCommand(int argc, char** argv, int (*run)(CommandContext&)) {
    std::setlocale(LC_ALL, "");
    ControlEscapingStream err(std::cerr);
    ControlEscapingStream terminal_out(std::cout);
    std::ostream& out = ::isatty(STDOUT_FILENO) != 0 ? terminal_out : std::cout;
    AnswerPolicy policy = AnswerPolicy::kAsk;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--yes") {
            policy = AnswerPolicy::kAlwaysYes;
        } else if (arg == "--no") {
            policy = AnswerPolicy::kAlwaysNo;
        } else {
            args.push_back(arg);
        }
    }
    ConsoleUi ui(err, policy, ::isatty(STDIN_FILENO) != 0);
    CommandContext context{std::move(args), ui, out, err};
    return run(context);
}

}  // namespace folix
