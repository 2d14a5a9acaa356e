#include <unistd.h>

#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/control_escaping_stream.h"
#include "cli/window_launcher.h"

// Sub-commands run headless and never make a window; anything else (nothing, or a book file)
// starts the window program in this process's place. This program links no GUI library, so
// a command starts as fast as the core allows and runs where no display or Qt is installed.
int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    std::vector<std::string> args(argv + 1, argv + argc);
    folix::ControlEscapingStream err(std::cerr);
    if (!folix::IsHeadlessCommand(args)) {
        return folix::StartWindow(argv, err);
    }
    // Messages are for people and always escaped; the output only on a terminal, so that a
    // script reading it gets the names as they are.
    folix::ControlEscapingStream terminal_out(std::cout);
    std::ostream& out = ::isatty(STDOUT_FILENO) != 0 ? terminal_out : std::cout;
    return folix::RunCommandLine(args, out, err);
}
