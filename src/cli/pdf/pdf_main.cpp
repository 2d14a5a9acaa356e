#include <unistd.h>

#include <QGuiApplication>

#include <clocale>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_context.h"
#include "cli/console_ui.h"
#include "cli/control_escaping_stream.h"
#include "cli/pdf/pdf_command.h"

// folix-pdf: `folix pdf` handed over to a program of its own, so that Qt's painting and fonts
// are loaded by this command alone and every other command starts without them. Its
// arguments are those after `history`.
int main(int argc, char** argv) {
    // Fonts and painting need a platform, never a display: without one it draws offscreen.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr && std::getenv("DISPLAY") == nullptr &&
        std::getenv("WAYLAND_DISPLAY") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    int qt_argc = 1;
    QGuiApplication application(qt_argc, argv);
    std::setlocale(LC_ALL, "");
    folix::ControlEscapingStream err(std::cerr);
    folix::ControlEscapingStream terminal_out(std::cout);
    std::ostream& out = ::isatty(STDOUT_FILENO) != 0 ? terminal_out : std::cout;
    folix::AnswerPolicy policy = folix::AnswerPolicy::kAsk;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--yes") {
            policy = folix::AnswerPolicy::kAlwaysYes;
        } else if (arg == "--no") {
            policy = folix::AnswerPolicy::kAlwaysNo;
        } else {
            args.push_back(arg);
        }
    }
    folix::ConsoleUi ui(err, policy, ::isatty(STDIN_FILENO) != 0);
    folix::CommandContext context{std::move(args), ui, out, err};
    return folix::RunPdf(context);
}
