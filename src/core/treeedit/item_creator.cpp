#include "treeedit/item_creator.h"

#include <sys/stat.h>

#include <cerrno>

#include "book/book_files.h"
#include "book/book_tree.h"
#include "book/contents_file.h"
#include "book/file_io.h"
#include "book/path_parts.h"
#include "book/system_error.h"
#include "platform/ui.h"
#include "treeedit/folder_refresh.h"

namespace folix {
namespace {

constexpr char kOnlyInFolders[] = "フォルダにのみ新規作成できます。";

}  // namespace

bool ItemCreator::CheckNewTarget(TreeItem folder_item) const {
    if (tree_.CheckSearchLock()) {
        return false;
    }
    if (!tree_.IsFolderItem(folder_item)) {
        tree_.ui().ShowMessage(kOnlyInFolders);
        return false;
    }
    return true;
}

bool ItemCreator::CheckAddTarget(TreeItem context_item) const {
    if (tree_.CheckSearchLock()) {
        return false;
    }
    if (context_item == kNoItem) {
        tree_.ui().Beep();
        return false;
    }
    return true;
}

bool ItemCreator::MakeFile(const std::string& folder, const std::string& name) const {
    int error = CreateNewFile(JoinPath(folder, name));
    if (error != 0) {
        ShowLastError(tree_.ui(), error);
        return false;
    }
    return true;
}

bool ItemCreator::MakeFolder(const std::string& folder, const std::string& name) const {
    const std::string path = JoinPath(folder, name);
    if (int error = CreateFolder(path); error != 0) {
        ShowLastError(tree_.ui(), error);
        return false;
    }
    CreateBlankTextFile(tree_.ui(), path);  // reports its own failure; the folder stays
    return true;
}

std::string ItemCreator::Create(const std::string& folder, size_t index, TreeItem folder_item,
                                const std::string& extension) {
    const bool is_folder = extension.empty();
    const std::string name =
        UniqueName(folder, is_folder ? kNewFolderStem : kNewFileStem) + extension;
    if (!(is_folder ? MakeFolder(folder, name) : MakeFile(folder, name))) {
        return {};
    }
    InsertContentsEntry(tree_.ui(), folder, index,
                        {is_folder ? EntryKind::kFolder : EntryKind::kFile, name});
    refresh_.ReloadFolder(folder_item);
    return JoinPath(folder, name);
}

std::string ItemCreator::NewFile(TreeItem folder_item) {
    if (!CheckNewTarget(folder_item)) {
        return {};
    }
    return Create(tree_.ItemPath(folder_item), 0, folder_item, ".txt");
}

std::string ItemCreator::NewFolder(TreeItem folder_item) {
    if (!CheckNewTarget(folder_item)) {
        return {};
    }
    return Create(tree_.ItemPath(folder_item), 0, folder_item, "");
}

// The book's item has nothing beside it: what is added to it goes first into the book folder,
// the row right below it, as a writer adding to the book expects.
std::string ItemCreator::AddFile(TreeItem context_item, const std::string& extension) {
    if (!CheckAddTarget(context_item)) {
        return {};
    }
    if (context_item == tree_.m_hRootItem) {
        return Create(tree_.ItemPath(context_item), 0, context_item, extension);
    }
    return Create(ParentPath(tree_.ItemPath(context_item)),
                  static_cast<size_t>(tree_.ItemIndex(context_item)) + 1,
                  tree_.tree().GetParentItem(context_item), extension);
}

std::string ItemCreator::AddFolder(TreeItem context_item) {
    return AddFile(context_item, "");
}

}  // namespace folix
