#include "support/run_program.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/temp_folder.h"

namespace folix::testing {

ProgramResult RunFolix(const std::vector<std::string>& args, const std::string& folder) {
    return RunFolix(args, folder, ProgramInput{});
}

ProgramResult RunFolix(const std::vector<std::string>& args, const std::string& folder,
                       const ProgramInput& input) {
    std::vector<std::string> argv{FOLIX_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv, folder, input);
}

ProgramResult RunProgram(const std::vector<std::string>& command, const std::string& folder,
                         const ProgramInput& input) {
    TempFolder capture;
    const std::string in_path = capture / "in";
    WriteBytes(in_path, input.stdin_text);
    const std::string out_path = capture / "out";
    const std::string err_path = capture / "err";
    std::vector<std::string> argv_strings = command;
    std::vector<char*> argv;
    for (std::string& arg : argv_strings) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    pid_t pid = fork();
    if (pid == 0) {
        int in = open(in_path.c_str(), O_RDONLY);
        int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0 || chdir(folder.c_str()) != 0) {
            _exit(127);
        }
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        for (const std::string& setting : input.environment) {
            putenv(const_cast<char*>(setting.c_str()));
        }
        if (input.time_limit_seconds > 0) {
            alarm(input.time_limit_seconds);  // outlives the exec; its signal ends the run
        }
        execvp(argv[0], argv.data());
        _exit(127);
    }
    ProgramResult result;
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
        result.exit_code = WEXITSTATUS(status);
    }
    result.out = ReadBytes(out_path);
    result.err = ReadBytes(err_path);
    return result;
}

}  // namespace folix::testing
