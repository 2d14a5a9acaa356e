#include "treeedit/item_deleter.h"

#include <cerrno>

#include "book/book_files.h"
#include "book/book_tree.h"
#include "book/system_error.h"
#include "platform/desktop.h"
#include "platform/ui.h"
#include "treeedit/document_follow.h"
#include "treeedit/folder_refresh.h"

namespace folix {

void ItemDeleter::Delete(TreeItem context_item) {
    if (tree_.CheckSearchLock()) {
        return;
    }
    if (context_item == tree_.m_hRootItem || context_item == kNoItem) {
        tree_.ui().Beep();
        return;
    }
    const std::string path = tree_.ItemPath(context_item);
    if (tree_.IsFolderItem(context_item) && !HoldsOnlyBookFiles(tree_.ui(), path)) {
        tree_.ui().Beep();
        tree_.ui().ShowMessage(kFolderNotDeletableMessage);
        return;
    }
    const std::string question =
        "「" + tree_.ItemFileName(context_item) + "」をごみ箱に移動しますか？";
    if (tree_.ui().AskYesNo(question)) {
        if (!SaveBeforeRemoving(host_, path)) {
            return;
        }
        // The text as saved, kept before it leaves the book, so the trash is not its only copy.
        if (recorder_ != nullptr && desktop_ != nullptr) {
            recorder_->BeforeDelete(tree_.m_strRootPath, path);
        }
        // A trash that refuses is said so; the refresh then shows the item still there.
        int error = desktop_ != nullptr ? desktop_->MoveToTrash(path) : ENOTSUP;
        if (error != 0) {
            ShowLastError(tree_.ui(), error);
        } else {
            ForgetRemoved(host_, path);
        }
    }
    refresh_.ReloadFolder(tree_.tree().GetParentItem(context_item));
}

}  // namespace folix
