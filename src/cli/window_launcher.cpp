#include "cli/window_launcher.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <system_error>
#include <vector>

#include "cli/command_context.h"
#include "cli/command_line.h"
#include "cli/console_ui.h"

namespace folix {
namespace {

constexpr char kWindowProgram[] = "folix-window";
constexpr char kHistoryProgram[] = "folix-history";
constexpr char kPdfProgram[] = "folix-pdf";
constexpr char kUploadProgram[] = "folix-upload";

std::string ThisProgram(const char* argv0) {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        self = std::filesystem::absolute(argv0, error);
    }
    return self.string();
}

bool IsExecutableFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

std::string HelperProgramPath(const std::string& this_program, const char* name) {
    const std::filesystem::path folder = std::filesystem::path(this_program).parent_path();
    const std::filesystem::path beside = folder / name;
    if (IsExecutableFile(beside)) {
        return beside.string();
    }
    const std::filesystem::path installed = folder / FOLIX_WINDOW_FROM_BINDIR;
    return (installed.parent_path() / name).lexically_normal().string();
}

}  // namespace

std::string HistoryProgramPath(const std::string& this_program) {
    return HelperProgramPath(this_program, kHistoryProgram);
}

// The arguments go to the helper program, which takes this process's place.
int RunHelperProgram(CommandContext& context, const std::string& program, const char* what) {
    std::vector<char*> arguments;
    arguments.push_back(const_cast<char*>(program.c_str()));
    for (std::string& arg : context.args) {
        arguments.push_back(arg.data());
    }
    arguments.push_back(nullptr);
    context.out.flush();
    context.err.flush();
    ::execv(program.c_str(), arguments.data());
    context.err << "folix: " << what << "のプログラムを開けません(" << program
                << "): " << std::strerror(errno) << "\n";
    return kExitFailure;
}

// folix history: the arguments go to folix-history.
int RunHistoryCommand(CommandContext& context) {
    return RunHelperProgram(context, HistoryProgramPath(ThisProgram("folix")), "履歴");
}

namespace {

// The answer flags folix took from the arguments, given back for the program a command is
// handed to.
void PassAnswerFlags(CommandContext& context) {
    if (const auto* console = dynamic_cast<const ConsoleUi*>(&context.ui)) {
        if (console->policy() == AnswerPolicy::kAlwaysYes) {
            context.args.push_back("--yes");
        } else if (console->policy() == AnswerPolicy::kAlwaysNo) {
            context.args.push_back("--no");
        }
    }
}

}  // namespace

// folix pdf: the arguments go to folix-pdf, with the answer to its one question.
int RunPdfCommand(CommandContext& context) {
    PassAnswerFlags(context);
    return RunHelperProgram(context, HelperProgramPath(ThisProgram("folix"), kPdfProgram),
                            "原稿作成");
}

// folix upload: the arguments go to folix-upload, with the answers to its questions; the
// password on standard input stays there for it.
int RunUploadCommand(CommandContext& context) {
    PassAnswerFlags(context);
    return RunHelperProgram(context, HelperProgramPath(ThisProgram("folix"), kUploadProgram),
                            "アップロード");
}

std::string WindowProgramPath(const std::string& this_program) {
    const std::filesystem::path folder = std::filesystem::path(this_program).parent_path();
    const std::filesystem::path beside = folder / kWindowProgram;
    if (IsExecutableFile(beside)) {
        return beside.string();
    }
    return (folder / FOLIX_WINDOW_FROM_BINDIR).lexically_normal().string();
}

int StartWindow(char** argv, std::ostream& err) {
    const std::string self = ThisProgram(argv[0]);
    const std::string window = WindowProgramPath(self);
    std::vector<char*> arguments;
    arguments.push_back(const_cast<char*>(self.c_str()));
    for (char** arg = argv + 1; *arg != nullptr; ++arg) {
        arguments.push_back(*arg);
    }
    arguments.push_back(nullptr);
    ::execv(window.c_str(), arguments.data());
    err << "folix: ウィンドウを開けません(" << window << "): " << std::strerror(errno) << "\n";
    return kExitFailure;
}

}  // namespace folix
