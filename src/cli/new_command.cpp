#include <ostream>

#include "book/new_book.h"
#include "cli/command_context.h"
#include "cli/command_line.h"

namespace folix {

// folix new DIR/NAME.flx: the New command without its file dialog.
int RunNewCommand(CommandContext& context) {
    if (context.args.size() != 1) {
        return ReportUsageError(context, "new には本のファイル名(DIR/NAME.flx)をひとつ指定します。");
    }
    std::string book_path = CreateNewBook(context.ui, AbsoluteArgumentPath(context.args[0]));
    if (book_path.empty()) {
        return kExitFailure;
    }
    context.out << book_path << '\n';
    return kExitSuccess;
}

}  // namespace folix
