#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace folix {

class Ui;

// What a sub-command receives: its own arguments (the answer flags already taken), the console
// Ui and the two streams.
struct CommandContext {
    std::vector<std::string> args;
    Ui& ui;
    std::ostream& out;
    std::ostream& err;
};

// Prints "folix: TEXT" and the usage hint; returns the bad-usage exit code.
int ReportUsageError(CommandContext& context, const std::string& text);

// A path given on the command line, made absolute against the current folder.
std::string AbsoluteArgumentPath(const std::string& path);

int RunNewCommand(CommandContext& context);
int RunLsCommand(CommandContext& context);
int RunHtmlCommand(CommandContext& context);
int RunTextCommand(CommandContext& context);
int RunEpubCommand(CommandContext& context);
int RunPdfCommand(CommandContext& context);
int RunOptionsCommand(CommandContext& context);
int RunSearchCommand(CommandContext& context);
int RunCountCommand(CommandContext& context);
int RunPostCommand(CommandContext& context);
int RunUploadCommand(CommandContext& context);
int RunHistoryCommand(CommandContext& context);

}  // namespace folix
