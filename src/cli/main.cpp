#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"

int main(int argc, char** argv) {
    // The system's error texts come in the writer's language where it has them.
    std::setlocale(LC_ALL, "");
    std::vector<std::string> args(argv + 1, argv + argc);
    return folix::RunCommandLine(args, std::cout, std::cerr);
}
