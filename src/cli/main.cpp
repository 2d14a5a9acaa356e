#include <unistd.h>

#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/control_escaping_stream.h"
#include "gui/folix_app.h"

// Sub-commands run headless and never make a window; anything else (nothing, or a book file)
// starts the program's window.
int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    std::vector<std::string> args(argv + 1, argv + argc);
    if (folix::IsHeadlessCommand(args)) {
        // Messages are for people and always escaped; the output only on a terminal, so that
        // a script reading it gets the names as they are.
        folix::ControlEscapingStream err(std::cerr);
        folix::ControlEscapingStream terminal_out(std::cout);
        std::ostream& out = ::isatty(STDOUT_FILENO) != 0 ? terminal_out : std::cout;
        return folix::RunCommandLine(args, out, err);
    }
    return folix::gui::RunGui(argc, argv);
}
