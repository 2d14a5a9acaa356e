#include <ostream>

#include "cli/book_argument.h"
#include "cli/command_context.h"
#include "cli/command_line.h"

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

// folix search BOOK.flx TEXT [--case] [--word] [--name]: the tree search without a window,
// listing the files it marks, in tree order. The book's own check boxes are not used or changed.
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
    CFileSystem& book = opened.file_system();
    BookOptions& options = book.Options();
    options.m_bFindCase = flags.m_bFindCase;
    options.m_bFindWord = flags.m_bFindWord;
    options.m_bFindName = flags.m_bFindName;
    options.m_bFindKeep = false;  // the tree cut down to the hits is all that is listed
    book.SearchTree(positional[1]);
    const BookTree& book_tree = book.Tree();
    bool any = false;
    for (TreeItem item = book_tree.m_hRootItem; item != kNoItem; item = book.NextItem(item)) {
        if (book_tree.GetItemImage(item) == kImageFileHit) {
            context.out << RelativeToBook(book_tree.ItemPath(item), book_tree.m_strRootPath)
                        << '\n';
            any = true;
        }
    }
    return any ? kExitSuccess : kExitFailure;
}

}  // namespace folix
