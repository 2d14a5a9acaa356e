#include "treeedit/item_mover.h"

#include "book/book_tree.h"
#include "book/contents_file.h"
#include "book/file_io.h"
#include "book/path_parts.h"
#include "book/system_error.h"
#include "platform/ui.h"
#include "treeedit/document_follow.h"
#include "treeedit/folder_refresh.h"

namespace folix {

void ItemMover::MoveItem(TreeItem dragged, TreeItem target) {
    if (tree_.CheckSearchLock()) {
        return;
    }
    Ui& ui = tree_.ui();
    TreeControl& control = tree_.tree();
    if (target == tree_.m_hRootItem) {
        ui.Beep();
        return;
    }
    for (TreeItem walk = target; walk != kNoItem; walk = control.GetParentItem(walk)) {
        if (walk == dragged) {
            ui.Beep();  // onto itself or into its own branch
            return;
        }
    }
    const std::string source_folder = ParentPath(tree_.ItemPath(dragged));
    const std::string target_folder = ParentPath(tree_.ItemPath(target));
    const std::string name = tree_.ItemFileName(dragged);
    const std::string source = JoinPath(source_folder, name);
    const std::string destination = JoinPath(target_folder, name);
    const BookEntry entry = tree_.ItemEntry(dragged);
    const bool same_folder = source == destination;
    if (!same_folder) {
        if (int error = MovePath(source, destination); error != 0) {
            ShowLastError(ui, error);
            return;
        }
        FollowMove(host_, source, destination);
        if (recorder_ != nullptr) {
            recorder_->AfterMove(tree_.m_strRootPath, source, destination,
                                 VersionRecorder::Change::kMove);
        }
    }
    const auto from = static_cast<size_t>(tree_.ItemIndex(dragged));
    const auto to = static_cast<size_t>(tree_.ItemIndex(target));
    if (!same_folder) {
        DeleteContentsEntry(ui, source_folder, from);
        InsertContentsEntry(ui, target_folder, to, entry);
    } else if (from < to) {
        InsertContentsEntry(ui, target_folder, to, entry);
        DeleteContentsEntry(ui, source_folder, from);
    } else {
        DeleteContentsEntry(ui, source_folder, from);
        InsertContentsEntry(ui, target_folder, to, entry);
    }
    const TreeItem source_parent = control.GetParentItem(dragged);
    const TreeItem target_parent = control.GetParentItem(target);
    refresh_.OnItemexpanding(source_parent, true);
    refresh_.OnItemexpanding(target_parent, true);
    if (!same_folder) {
        control.Expand(source_parent, true);
    }
    control.Expand(target_parent, true);
}

}  // namespace folix
