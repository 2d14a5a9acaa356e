#include "treeedit/item_renamer.h"

#include "book/book_tree.h"
#include "book/contents_file.h"
#include "book/file_io.h"
#include "book/file_name_check.h"
#include "book/path_parts.h"
#include "book/recent_files.h"
#include "book/system_error.h"
#include "platform/document_host.h"
#include "platform/ui.h"
#include "treeedit/document_follow.h"

namespace folix {
namespace {

bool EndsWithLst(const std::string& name) {
    return name.size() >= 4 && name.compare(name.size() - 4, 4, ".lst") == 0;
}

}  // namespace

void ItemRenamer::FinishLabelEdit(TreeItem item, const std::optional<std::string>& text) {
    const bool text_file = tree_.IsTextItem(item) ||
                           (tree_.IsFileItem(item) && EndsWithLst(tree_.tree().GetItemText(item)));
    if (!tree_.IsFolderItem(item) && !text_file) {
        tree_.ui().Beep();
        return;
    }
    if (tree_.IsFolderItem(item) && host_ != nullptr &&
        IsPathInUse(host_->OtherBookRootPaths(), tree_.ItemPath(item))) {
        tree_.ui().ShowMessage(kPathInUseMessage);
        return;
    }
    // A save the writer chose and the disk refused stops the rename: the file keeps its name
    // and the editor its text.
    if (host_ != nullptr && !host_->AskSaveIfModified()) {
        return;
    }
    OnEndlabeledit(item, text);
    // The editor followed the rename; a renamed file it did not hold is opened in it.
    if (text_file && host_ != nullptr) {
        host_->OpenDocument(tree_.ItemPath(item));
    }
}

void ItemRenamer::OnEndlabeledit(TreeItem item, const std::optional<std::string>& text) {
    if (tree_.CheckSearchLock() || !text || text->empty()) {
        return;
    }
    Ui& ui = tree_.ui();
    TreeControl& control = tree_.tree();
    const std::string old_label = control.GetItemText(item);
    std::string checked_name = *text;
    if (!tree_.IsTextItem(item)) {
        if (ExtensionPart(old_label) != ExtensionPart(checked_name)) {
            ui.ShowNotice(kExtensionChangeNotice);
            return;
        }
        if (EndsWithLst(old_label) && EndsWithLst(checked_name)) {
            checked_name.resize(checked_name.size() - 4);
        }
    }
    if (checked_name.find_first_of(kForbiddenNameCharacters) != std::string::npos ||
        HasControlCharacter(checked_name)) {
        ui.ShowNotice(std::string(kForbiddenCharactersNotice) + kForbiddenNameCharacters);
        return;
    }

    const std::string old_name = tree_.ItemFileName(item);
    control.SetItemText(item, *text);
    const std::string new_name = tree_.ItemFileName(item);
    const std::string folder = ParentPath(tree_.ItemPath(item));
    if (old_name != new_name) {
        if (int error = MovePath(JoinPath(folder, old_name), JoinPath(folder, new_name));
            error != 0) {
            ShowLastError(ui, error);
            control.SetItemText(item, old_label);
            return;
        }
        FollowMove(host_, JoinPath(folder, old_name), JoinPath(folder, new_name));
        // The book folder's own name is no part of its files' paths.
        if (recorder_ != nullptr && item != tree_.m_hRootItem) {
            recorder_->AfterMove(tree_.m_strRootPath, JoinPath(folder, old_name),
                                 JoinPath(folder, new_name), VersionRecorder::Change::kRename);
        }
    }
    if (item == tree_.m_hRootItem) {
        const std::string old_root = tree_.m_strRootPath;
        tree_.m_strRootPath = JoinPath(folder, new_name);
        RenameBookFile(old_root, new_name);
    } else {
        ReplaceContentsEntry(ui, folder, static_cast<size_t>(tree_.ItemIndex(item)),
                             tree_.ItemEntry(item));
    }
}

// The book file follows its folder's name, and so does the recent-file entry that opens it.
void ItemRenamer::RenameBookFile(const std::string& old_root, const std::string& new_folder_name) {
    const std::string new_book_name = new_folder_name + ".flx";
    if (profile_ != nullptr) {
        ReplaceRecentFile(*profile_, JoinPath(old_root, tree_.m_strBookFileName),
                          JoinPath(tree_.m_strRootPath, new_book_name));
    }
    if (new_book_name == tree_.m_strBookFileName) {
        return;
    }
    int error = MovePath(JoinPath(tree_.m_strRootPath, tree_.m_strBookFileName),
                         JoinPath(tree_.m_strRootPath, new_book_name));
    if (error != 0) {
        ShowLastError(tree_.ui(), error);
        return;
    }
    FollowMove(host_, JoinPath(tree_.m_strRootPath, tree_.m_strBookFileName),
               JoinPath(tree_.m_strRootPath, new_book_name));
    tree_.m_strBookFileName = new_book_name;
}

}  // namespace folix
