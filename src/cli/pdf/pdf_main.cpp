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
    folix::ConsoleUi ui(err, folix::AnswerPolicy::kAsk, ::isatty(STDIN_FILENO) != 0);
    folix::CommandContext context{std::vector<std::string>(argv + 1, argv + argc), ui, out, err};
    return folix::RunPdf(context);
}
