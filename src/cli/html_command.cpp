#include <ostream>

#include "cli/book_argument.h"
#include "cli/command_context.h"
#include "cli/command_line.h"
#include "site/html_builder.h"
#include "site/html_options.h"

namespace folix {

// folix html BOOK.flx: the make-HTML command of the window, with the same messages and questions.
// The files written are printed, one a line.
int RunHtmlCommand(CommandContext& context) {
    if (context.args.size() != 1) {
        return ReportUsageError(context, "html には本のファイル(BOOK.flx)をひとつ指定します。");
    }
    CommandBook opened(context.ui);
    if (!opened.Open(context, context.args[0], "HTML作成")) {
        return kExitFailure;
    }
    const SiteBook book = opened.site();
    HtmlOptions options = LoadHtmlOptions(context.ui, book.root_path);
    HtmlBuilder builder(context.ui, book);
    BuildOutcome outcome = builder.MakeHtml(options);
    for (const std::string& path : builder.written()) {
        context.out << path << '\n';
    }
    return outcome == BuildOutcome::kWritten ? kExitSuccess : kExitFailure;
}

}  // namespace folix
