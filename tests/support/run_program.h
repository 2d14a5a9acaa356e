#pragma once

#include <string>
#include <vector>

namespace folix::testing {

struct ProgramResult {
    int exit_code = -1;
    std::string out;
    std::string err;
};

// Runs the built folix program with the arguments in the given folder, stdin from /dev/null,
// and collects what it printed.
ProgramResult RunFolix(const std::vector<std::string>& args, const std::string& folder);

// What else a run may be given: text on its standard input, NAME=VALUE settings added to its
// environment (a bare NAME removes it), and a time after which the run is killed (exit_code is
// -1 then).
struct ProgramInput {
    std::string stdin_text;
    std::vector<std::string> environment;
    unsigned time_limit_seconds = 0;
};
ProgramResult RunFolix(const std::vector<std::string>& args, const std::string& folder,
                       const ProgramInput& input);

// Any program, found on the PATH when argv[0] has no slash.
ProgramResult RunProgram(const std::vector<std::string>& command, const std::string& folder,
                         const ProgramInput& input = {});

}  // namespace folix::testing
