#pragma once

#include <iosfwd>
#include <string>

namespace folix {

// The window is a program of its own, so that the headless commands never load the GUI's
// libraries: found beside this program (a build folder) or where the package installs it.
std::string WindowProgramPath(const std::string& this_program);

// Replaces this process by the window program with the same arguments, argv[0] being this
// program's own path (the window finds the manual beside it). Returns only when that fails,
// with the message written to err and the exit code.
int StartWindow(char** argv, std::ostream& err);

// The program that runs `folix history` (folix-history), found as the window program is.
std::string HistoryProgramPath(const std::string& this_program);

}  // namespace folix
