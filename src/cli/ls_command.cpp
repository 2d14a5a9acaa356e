#include <ostream>

#include "book/book_files.h"
#include "cli/command_context.h"
#include "cli/command_line.h"
#include "model/file_system.h"
#include "model/memory_tree_control.h"

namespace folix {
namespace {

// Opens every folder as a writer clicking through the tree would, printing each item as it
// appears: two spaces a level, folders with a trailing "/".
void PrintBranch(CFileSystem& book, TreeItem item, int depth, std::ostream& out) {
    BookTree& tree = book.Tree();
    const bool folder = tree.IsFolderItem(item);
    out << std::string(static_cast<size_t>(depth) * 2, ' ') << tree.ItemFileName(item)
        << (folder ? "/" : "") << '\n';
    if (!folder) {
        return;
    }
    tree.tree().Expand(item, true);
    for (TreeItem child = tree.tree().GetChildItem(item); child != kNoItem;
         child = tree.tree().GetNextSiblingItem(child)) {
        PrintBranch(book, child, depth + 1, out);
    }
}

}  // namespace

// folix ls BOOK.flx: the book's tree in display order.
int RunLsCommand(CommandContext& context) {
    if (context.args.size() != 1) {
        return ReportUsageError(context, "ls には本のファイル(BOOK.flx)をひとつ指定します。");
    }
    const std::string book_path = AbsoluteArgumentPath(context.args[0]);
    if (IsRtfFile(context.ui, book_path) == RtfCheck::kCannotOpen) {
        return kExitFailure;
    }
    CFileSystem book(context.ui, nullptr, nullptr, nullptr);
    MemoryTreeControl tree;
    book.AttachBook(tree, book_path);
    if (!book.RequireTree("一覧表示")) {
        return kExitFailure;
    }
    PrintBranch(book, book.Tree().m_hRootItem, 0, context.out);
    return kExitSuccess;
}

}  // namespace folix
