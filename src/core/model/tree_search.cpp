#include "model/tree_search.h"

#include "book/book_options.h"
#include "book/book_tree.h"
#include "model/file_text_match.h"
#include "platform/document_host.h"
#include "platform/editor_control.h"
#include "platform/ui.h"
#include "treeedit/folder_refresh.h"

namespace folix {
namespace {

constexpr char kSearchAction[] = "ツリーの検索";

}  // namespace

void TreeSearch::SearchTree(const std::string& text) {
    if (!tree_.RequireTree(kSearchAction)) {
        return;
    }
    if (host_ != nullptr && !host_->AskSaveIfModified()) {
        return;
    }
    auto wait = tree_.ui().BeginWait();
    ResetTree();
    if (text.empty()) {
        return;
    }
    tree_.m_bSearchLock = true;
    tree_.SetMultiOpenStyle(true);

    // Folders are opened as the walk reaches them, so the items they bring are walked as well.
    FileTextMatch match(tree_.ui(), options_, text);
    for (TreeItem item = tree_.m_hRootItem; item != kNoItem; item = NextItem(item)) {
        const TreeItemKind kind = tree_.ItemKind(item);
        if (kind == kFolderItem) {
            if (tree_.GetItemImage(item) != kImageEmptyFolder) {
                refresh_.ReloadFolder(item);
            }
        } else if (kind != kPlaceholderItem) {
            if (IsHit(item, match)) {
                MarkHit(item);
            } else {
                tree_.SetItemImage(item, kImageEditableFile);
            }
        }
    }

    if (options_.m_bFindKeep) {
        CloseAllKeepingMarks();
        tree_.SetMultiOpenStyle(options_.m_bMultiFolder);
    } else {
        PruneToHits();
    }
    tree_.tree().SelectItem(tree_.m_hRootItem);
    if (!options_.m_bFindKeep) {
        tree_.m_bSearchMarks = true;
    }
}

void TreeSearch::ResetTree() {
    if (!tree_.HasTree()) {
        return;
    }
    tree_.m_bSearchLock = false;
    tree_.m_bSearchMarks = false;
    tree_.ForgetSearchMarks();
    tree_.SetMultiOpenStyle(options_.m_bMultiFolder);
    const TreeItem root = tree_.m_hRootItem;
    tree_.tree().SelectItem(root);
    // Everything below the root goes; its first level then comes back afresh from disk, with
    // the plain open-folder image rather than a mark.
    refresh_.DeleteSiblingItem(tree_.tree().GetChildItem(root));
    tree_.SetItemImage(root, kImageOpenFolder);
    refresh_.ReloadFolder(root);
}

TreeItem TreeSearch::NextItem(TreeItem item) const {
    TreeItem child = tree_.tree().GetChildItem(item);
    return child != kNoItem ? child : NextItemAfterBranch(item);
}

TreeItem TreeSearch::NextItemAfterBranch(TreeItem item) const {
    const TreeControl& control = tree_.tree();
    for (TreeItem walk = item; walk != kNoItem; walk = control.GetParentItem(walk)) {
        if (TreeItem sibling = control.GetNextSiblingItem(walk); sibling != kNoItem) {
            return sibling;
        }
    }
    return kNoItem;
}

bool TreeSearch::IsHit(TreeItem item, FileTextMatch& match) const {
    const std::string path = tree_.ItemPath(item);
    const std::string name = tree_.ItemFileName(item);
    if (options_.m_bFindName || !options_.m_bFindWord || host_ == nullptr || editor_ == nullptr) {
        return match.Holds(path, name);
    }
    // The window's editor decides what a word is, so the file is opened there; the last file
    // tested stays open. When it cannot be opened the editor still holds the file before,
    // which must not count for this one.
    if (!host_->AskSaveIfModified() || !host_->OpenDocument(path)) {
        return false;
    }
    const EditorControl::FindFlags flags{options_.m_bFindCase, true};
    return editor_->FindText(match.Text(), {0, kEndOfText}, flags) || match.Holds(path, name, true);
}

void TreeSearch::MarkHit(TreeItem item) {
    tree_.SetSearchMark(item, SearchMark::kHit);
    for (TreeItem parent = tree_.tree().GetParentItem(item); parent != kNoItem;
         parent = tree_.tree().GetParentItem(parent)) {
        tree_.SetSearchMark(parent, SearchMark::kAboveHit);
        if (parent == tree_.m_hRootItem) {
            break;
        }
    }
}

void TreeSearch::CloseAllKeepingMarks() {
    TreeControl& control = tree_.tree();
    for (TreeItem item = NextItem(tree_.m_hRootItem); item != kNoItem; item = NextItem(item)) {
        const TreeItemImage image = tree_.GetItemImage(item);
        if (image == kImageOpenFolder || image == kImageOpenFolderAboveHit) {
            tree_.SetFolderClosedImage(item);
        }
        control.Expand(item, false);
    }
}

void TreeSearch::PruneToHits() {
    TreeItem item = NextItem(tree_.m_hRootItem);
    while (item != kNoItem) {
        if (tree_.GetSearchMark(item) != SearchMark::kNone) {
            item = NextItem(item);
            continue;
        }
        TreeItem next = NextItemAfterBranch(item);
        if (!tree_.DeleteItem(item)) {
            // A refused deletion leaves a stray item; go on with the rest of the tree.
            next = NextItem(item);
        }
        item = next;
    }
}

}  // namespace folix
