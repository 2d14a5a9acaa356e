#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "gui/folix_app.h"

// Sub-commands run headless and never make a window; anything else (nothing, or a book file)
// starts the program's window.
int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    std::vector<std::string> args(argv + 1, argv + argc);
    if (folix::IsHeadlessCommand(args)) {
        return folix::RunCommandLine(args, std::cout, std::cerr);
    }
    return folix::gui::RunGui(argc, argv);
}
