#include "book/book_tree.h"

#include "book/book_files.h"
#include "book/entry_list.h"
#include "book/path_parts.h"
#include "platform/ui.h"

namespace folix {
namespace {

constexpr char kNoTreeBefore[] = "ツリーが表示されていないので";
constexpr char kNoTreeAfter[] = "ができません。ツリーを表示してやり直してください。";
constexpr char kSearchLockNotice[] =
    "今はできません。folix検索ダイアログのリセットボタンを押してやり直してください。";

}  // namespace

void BookTree::AttachBook(TreeControl& tree, const std::string& book_path) {
    if (!m_strParentPath.empty() || AsciiLower(ExtensionPart(book_path)) != "flx") {
        return;
    }
    m_strBookFileName = FileNamePart(book_path);
    tree_ = &tree;
    m_strRootPath = ParentPath(book_path);
    m_strParentPath = ParentPath(m_strRootPath);
    m_hRootItem = InsertItemFromEntry({EntryKind::kFolder, FileNamePart(m_strRootPath)}, kNoItem,
                                      kInsertLast);
}

bool BookTree::RequireTree(const std::string& action) const {
    if (HasTree()) {
        return true;
    }
    ui_.ShowMessage(kNoTreeBefore + action + kNoTreeAfter);
    return false;
}

bool BookTree::CheckSearchLock() const {
    if (!m_bSearchLock) {
        return false;
    }
    ui_.ShowNotice(kSearchLockNotice);
    return true;
}

bool BookTree::IsExpandLocked() const {
    if (!m_bSearchMarks) {
        return false;
    }
    CheckSearchLock();
    return true;
}

std::vector<BookEntry> BookTree::BuildEntryList(const std::string& folder) const {
    return folix::BuildEntryList(ui_, folder, ParentPath(folder) == m_strParentPath);
}

TreeItem BookTree::InsertItemFromEntry(const BookEntry& entry, TreeItem parent, TreeItem after) {
    TreeItem item = tree_->InsertItem(parent, after, "", kImagePlaceholder, kPlaceholderItem);
    FillItemFromEntry(entry, item);
    return item;
}

void BookTree::FillItemFromEntry(const BookEntry& entry, TreeItem item) {
    text_suffixes_.erase(item);
    search_marks_.erase(item);
    const std::string& name = entry.name;
    if (entry.IsFolder()) {
        tree_->SetItemBold(item, true);
        tree_->SetItemText(item, name);
        tree_->SetItemKind(item, kFolderItem);
        if (HasVisibleChildren(ItemPath(item))) {
            tree_->SetItemImage(item, kImageClosedFolder);
            tree_->InsertItem(item, kInsertLast, kPlaceholderLabel, kImagePlaceholder,
                              kPlaceholderItem);
        } else {
            tree_->SetItemImage(item, kImageEmptyFolder);
        }
    } else if (HasTxtSuffix(name)) {
        tree_->SetItemKind(item, kTextItem);
        RespellItem(item, name);
        tree_->SetItemImage(item, kImageEditableFile);
    } else {
        tree_->SetItemKind(item, kOtherFileItem);
        tree_->SetItemText(item, name);
        tree_->SetItemImage(item, IsEditableName(name) ? kImageEditableFile : kImageOtherFile);
    }
}

void BookTree::RespellItem(TreeItem item, const std::string& name) {
    text_suffixes_.erase(item);
    if (ItemKind(item) != kTextItem) {
        tree_->SetItemText(item, name);
        return;
    }
    tree_->SetItemText(item, name.substr(0, name.size() - 4));
    std::string suffix = name.substr(name.size() - 4);
    if (suffix != ".txt") {
        text_suffixes_[item] = suffix;
    }
}

bool BookTree::DeleteItem(TreeItem item) {
    if (!tree_->DeleteItem(item)) {
        return false;
    }
    text_suffixes_.erase(item);
    search_marks_.erase(item);
    return true;
}

TreeItemKind BookTree::ItemKind(TreeItem item) const {
    return item == kNoItem ? kPlaceholderItem : tree_->GetItemKind(item);
}

bool BookTree::IsFileItem(TreeItem item) const {
    const TreeItemKind kind = ItemKind(item);
    return kind == kTextItem || kind == kOtherFileItem;
}

std::string BookTree::ItemFileName(TreeItem item) const {
    std::string name = tree_->GetItemText(item);
    if (ItemKind(item) == kTextItem) {
        auto suffix = text_suffixes_.find(item);
        name += suffix == text_suffixes_.end() ? ".txt" : suffix->second;
    }
    return name;
}

std::string BookTree::ItemPath(TreeItem item) const {
    std::string path;
    for (TreeItem walk = item; walk != kNoItem; walk = tree_->GetParentItem(walk)) {
        path.insert(0, kPathSeparator + tree_->GetItemText(walk));
        if (walk == m_hRootItem) {
            break;
        }
    }
    return JoinPath(ParentPath(m_strParentPath + path), ItemFileName(item));
}

BookEntry BookTree::ItemEntry(TreeItem item) const {
    return {IsFolderItem(item) ? EntryKind::kFolder : EntryKind::kFile, ItemFileName(item)};
}

int BookTree::ItemIndex(TreeItem item) const {
    int index = 0;
    for (TreeItem walk = tree_->GetPrevSiblingItem(item); walk != kNoItem;
         walk = tree_->GetPrevSiblingItem(walk)) {
        ++index;
    }
    return index;
}

void BookTree::SetFolderOpenImage(TreeItem item) {
    const bool marked = GetSearchMark(item) == SearchMark::kAboveHit;
    SetItemImage(item, marked ? kImageOpenFolderAboveHit : kImageOpenFolder);
}

void BookTree::SetFolderClosedImage(TreeItem item) {
    const bool marked = GetSearchMark(item) == SearchMark::kAboveHit;
    SetItemImage(item, marked ? kImageClosedFolderAboveHit : kImageClosedFolder);
}

TreeItemImage BookTree::GetItemImage(TreeItem item) const {
    return tree_->GetItemImage(item);
}

void BookTree::SetItemImage(TreeItem item, TreeItemImage image) {
    tree_->SetItemImage(item, image);
}

void BookTree::SetSearchMark(TreeItem item, SearchMark mark) {
    if (mark == SearchMark::kNone) {
        search_marks_.erase(item);
    } else {
        search_marks_[item] = mark;
    }
    switch (mark) {
        case SearchMark::kHit:
            SetItemImage(item, kImageFileHit);
            break;
        case SearchMark::kAboveHit:
            SetItemImage(item, kImageOpenFolderAboveHit);
            break;
        case SearchMark::kNone:
            break;
    }
}

SearchMark BookTree::GetSearchMark(TreeItem item) const {
    auto mark = search_marks_.find(item);
    return mark == search_marks_.end() ? SearchMark::kNone : mark->second;
}

std::string BookTree::BookFilePath() const {
    return JoinPath(m_strRootPath, m_strBookFileName);
}

void BookTree::SetMultiOpenStyle(bool multi_open) {
    tree_->SetSingleExpandStyle(!multi_open);
}

}  // namespace folix
