#include "treeedit/folder_refresh.h"

#include <algorithm>
#include <vector>

#include "book/book_tree.h"
#include "book/name_compare.h"
#include "platform/ui.h"

namespace folix {
namespace {

constexpr char kRefreshDeleteError[] = "CFileSystem::OnItemexpanding-error";
constexpr char kSiblingDeleteError[] = "CFileSystem::DeleteSiblingItem-error";

}  // namespace

void FolderRefresh::DeleteReportingRefusal(TreeItem item, const char* message) {
    if (!tree_.DeleteItem(item)) {
        tree_.ui().ShowMessage(message);
    }
}

void FolderRefresh::OnItemexpanding(TreeItem parent, bool expand) {
    if (!expand) {
        tree_.SetFolderClosedImage(parent);
        return;
    }
    tree_.SetFolderOpenImage(parent);
    TreeControl& control = tree_.tree();
    const std::vector<BookEntry> entries = tree_.BuildEntryList(tree_.ItemPath(parent));
    TreeItem child = control.GetChildItem(parent);
    const size_t count = entries.size();
    for (size_t i = 0; i < count; ++i) {
        const BookEntry& entry = entries[i];
        if (child == kNoItem) {
            tree_.InsertItemFromEntry(entry, parent, kInsertLast);
        } else if (MatchesEntry(child, entry)) {
            if (tree_.ItemFileName(child) != entry.name) {
                tree_.RespellItem(child, entry.name);
            }
            child = control.GetNextSiblingItem(child);
        } else if (i + 1 < count && MatchesEntry(child, entries[i + 1])) {
            TreeItem previous = control.GetPrevSiblingItem(child);
            tree_.InsertItemFromEntry(entry, parent, previous == kNoItem ? kInsertFirst : previous);
        } else if (TreeItem next = control.GetNextSiblingItem(child); MatchesEntry(next, entry)) {
            DeleteReportingRefusal(child, kRefreshDeleteError);
            child = control.GetNextSiblingItem(next);
        } else if (tree_.ItemKind(child) == kPlaceholderItem) {
            TreeItem after = control.GetNextSiblingItem(child);
            tree_.FillItemFromEntry(entry, child);
            child = after;
        } else {
            DeleteSiblingItem(child);
            tree_.InsertItemFromEntry(entry, parent, kInsertLast);
            child = kNoItem;
        }
    }
    DeleteSiblingItem(child);
}

void FolderRefresh::ReloadFolder(TreeItem item) {
    OnItemexpanding(item, true);
    tree_.tree().Expand(item, true);
}

bool FolderRefresh::MatchesEntry(TreeItem item, const BookEntry& entry) const {
    if (item == kNoItem || !NamesEqual(tree_.ItemFileName(item), entry.name)) {
        return false;
    }
    return entry.IsFolder() ? tree_.IsFolderItem(item) : tree_.IsFileItem(item);
}

void FolderRefresh::DeleteSiblingItem(TreeItem item) {
    while (item != kNoItem) {
        TreeItem next = tree_.tree().GetNextSiblingItem(item);
        DeleteReportingRefusal(item, kSiblingDeleteError);
        item = next;
    }
}

TreeItem FolderRefresh::RevealPath(const std::string& path) {
    const std::string& root = tree_.GetRootPath();
    if (!tree_.HasTree() || path.size() <= root.size() + 1 || path.rfind(root + "/", 0) != 0) {
        return kNoItem;
    }
    TreeControl& control = tree_.tree();
    TreeItem item = tree_.m_hRootItem;
    size_t start = root.size() + 1;
    while (item != kNoItem && start <= path.size()) {
        const size_t end = std::min(path.find('/', start), path.size());
        const std::string name = path.substr(start, end - start);
        if (!control.IsExpanded(item)) {
            ReloadFolder(item);
        }
        TreeItem child = control.GetChildItem(item);
        while (child != kNoItem && (tree_.ItemKind(child) == kPlaceholderItem ||
                                    tree_.ItemFileName(child) != name)) {
            child = control.GetNextSiblingItem(child);
        }
        item = child;
        start = end + 1;
        if (item != kNoItem && end < path.size() && !tree_.IsFolderItem(item)) {
            return kNoItem;
        }
    }
    return item;
}

}  // namespace folix
