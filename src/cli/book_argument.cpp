#include "cli/book_argument.h"

#include "book/book_files.h"
#include "cli/command_context.h"

namespace folix {

bool CommandBook::Open(CommandContext& context, const std::string& argument,
                       const std::string& action) {
    const std::string book_path = AbsoluteArgumentPath(argument);
    // The window opens the book file first; one that is not there is reported the same way.
    if (IsRtfFile(context.ui, book_path) == RtfCheck::kCannotOpen) {
        return false;
    }
    file_system_.AttachBook(tree_, book_path);
    return file_system_.RequireTree(action);
}

SiteBook CommandBook::site() const {
    const BookTree& tree = file_system_.Tree();
    return SiteBook{tree.m_strRootPath, tree.m_strParentPath};
}

}  // namespace folix
