#include <ostream>

#include "book/book_options.h"
#include "cli/book_argument.h"
#include "cli/command_context.h"
#include "cli/command_line.h"
#include "site/text_builder.h"

namespace folix {

// folix text BOOK.flx: the make-TEXT command of the window. The file written is printed.
int RunTextCommand(CommandContext& context) {
    if (context.args.size() != 1) {
        return ReportUsageError(context, "text には本のファイル(BOOK.flx)をひとつ指定します。");
    }
    CommandBook opened(context.ui);
    if (!opened.Open(context, context.args[0], "TEXT作成")) {
        return kExitFailure;
    }
    const SiteBook book = opened.site();
    BookOptions options = LoadBookOptions(context.ui, book.root_path);
    TextBuilder builder(context.ui, book);
    BuildOutcome outcome = builder.MakeText(options);
    if (!builder.written().empty()) {
        context.out << builder.written() << '\n';
    }
    return outcome == BuildOutcome::kWritten ? kExitSuccess : kExitFailure;
}

}  // namespace folix
