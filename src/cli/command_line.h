#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace folix {

// Exit codes of every sub-command.
enum ExitCode : int {
    kExitSuccess = 0,
    kExitFailure = 1,
    kExitUsage = 2,
};

// False when the arguments ask for the window: nothing, or a book file (NAME.flx).
bool IsHeadlessCommand(const std::vector<std::string>& args);

// Runs `folix ARGS…` headless. Output goes to out, messages to err.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace folix
