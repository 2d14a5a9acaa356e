#include <functional>
#include <ostream>
#include <string>

#include "cli/book_argument.h"
#include "cli/command_context.h"
#include "cli/command_line.h"

namespace folix {
namespace {

// The window's build command on the book named on the command line, through the same book
// model, with the same messages and questions. The files written are printed, one a line.
int RunBuildCommand(CommandContext& context, const std::string& usage, const std::string& action,
                    const std::function<BuildOutcome(CFileSystem&)>& build) {
    if (context.args.size() != 1) {
        return ReportUsageError(context, usage);
    }
    CommandBook opened(context.ui);
    if (!opened.Open(context, context.args[0], action)) {
        return kExitFailure;
    }
    CFileSystem& book = opened.file_system();
    const BuildOutcome outcome = build(book);
    for (const std::string& path : book.BuiltFiles()) {
        context.out << path << '\n';
    }
    return outcome == BuildOutcome::kWritten ? kExitSuccess : kExitFailure;
}

}  // namespace

// folix html BOOK.flx: the make-HTML command.
int RunHtmlCommand(CommandContext& context) {
    return RunBuildCommand(context, "html には本のファイル(BOOK.flx)をひとつ指定します。",
                           "HTML作成", [](CFileSystem& book) {
                               book.LoadHtmlOptions();
                               return book.MakeHtml();
                           });
}

// folix text BOOK.flx: the make-TEXT command.
int RunTextCommand(CommandContext& context) {
    return RunBuildCommand(context, "text には本のファイル(BOOK.flx)をひとつ指定します。",
                           "TEXT作成", [](CFileSystem& book) {
                               book.LoadOptionsFile();
                               return book.MakeText();
                           });
}

}  // namespace folix
