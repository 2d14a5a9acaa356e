#include <ostream>

#include "cli/book_argument.h"
#include "cli/command_context.h"
#include "cli/command_line.h"
#include "model/book_search.h"

namespace folix {
namespace {

constexpr char kUsage[] =
    "search には本のファイル(BOOK.flx)と検索文字列を指定します。"
    "[--case] [--word] [--name] を付けられます。";

// The path below the book folder, as the listing prints it.
std::string RelativeToBook(const std::string& path, const std::string& root) {
    return path.substr(root.size() + 1);
}

}  // namespace

// folix search BOOK.flx TEXT [--case] [--word] [--name]: the files the tree search would mark,
// in tree order, found by a walk of the book's folders that lists each of them once. The book's
// own check boxes are not used or changed.
int RunSearchCommand(CommandContext& context) {
    std::vector<std::string> positional;
    BookOptions flags;
    for (const std::string& arg : context.args) {
        if (arg == "--case") {
            flags.m_bFindCase = true;
        } else if (arg == "--word") {
            flags.m_bFindWord = true;
        } else if (arg == "--name") {
            flags.m_bFindName = true;
        } else if (arg.size() > 2 && arg.starts_with("--")) {
            return ReportUsageError(context, "search に使えないオプションです: " + arg);
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) {
        return ReportUsageError(context, kUsage);
    }
    if (positional[1].empty()) {
        return ReportUsageError(context, "検索文字列が無効です。");
    }
    CommandBook opened(context.ui);
    if (!opened.Open(context, positional[0], "ツリーの検索")) {
        return kExitFailure;
    }
    const std::string& root = opened.file_system().Tree().m_strRootPath;
    const std::vector<std::string> hits = SearchBookFiles(context.ui, root, flags, positional[1]);
    for (const std::string& path : hits) {
        context.out << RelativeToBook(path, root) << '\n';
    }
    return hits.empty() ? kExitFailure : kExitSuccess;
}

}  // namespace folix
