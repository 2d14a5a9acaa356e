#include "upload/remote_tree.h"

#include <vector>

#include "book/path_parts.h"
#include "platform/ftp_client.h"
#include "platform/ui.h"
#include "upload/ftp_error_report.h"

namespace folix {
namespace {

constexpr char kRootLabel[] = "/";
// The placeholder under a folder that holds something; the one under the root is labelled "/".
constexpr char kPlaceholderLabel[] = "1";

// Names starting with a dot are the server's own (".htaccess", ".", ".."); the writer does not
// see them.
bool IsHiddenName(const std::string& name) {
    return name.empty() || name.front() == '.';
}

}  // namespace

RemoteTree::RemoteTree(Ui& ui, TreeControl& tree) : ui_(ui), tree_(tree) {
    tree_.SetExpandingHandler([this](TreeItem item, bool) { return OnExpanding(item); });
}

void RemoteTree::DeleteChildren(TreeItem item) {
    for (TreeItem child = tree_.GetChildItem(item); child != kNoItem;) {
        TreeItem next = tree_.GetNextSiblingItem(child);
        tree_.DeleteItem(child);
        child = next;
    }
}

void RemoteTree::Populate(FtpClient* connection, const std::string& path) {
    auto wait = ui_.BeginWait();
    DeleteChildren(kNoItem);
    root_item_ = kNoItem;
    connection_ = nullptr;
    lines_at_root_ = false;
    if (connection == nullptr) {
        tree_.InsertItem(kNoItem, kInsertFirst, kNotConnectedNotice, kRemoteNoticeImage,
                         RemoteItemKind(kRemoteNoticeImage));
        return;
    }
    connection_ = connection;
    root_item_ = tree_.InsertItem(kNoItem, kInsertLast, kRootLabel, kRemoteFolderImage,
                                  RemoteItemKind(kRemoteFolderImage));
    tree_.InsertItem(root_item_, kInsertLast, kRootLabel, kRemoteFolderImage,
                     RemoteItemKind(kRemoteFolderImage));
    tree_.Expand(root_item_, true);
    if (tree_.GetChildItem(root_item_) == kNoItem) {
        return;
    }
    lines_at_root_ = true;

    TreeItem current = root_item_;
    for (const std::string& name : PathNames(path)) {
        TreeItem found = kNoItem;
        for (TreeItem child = tree_.GetChildItem(current); child != kNoItem;
             child = tree_.GetNextSiblingItem(child)) {
            if (tree_.GetItemText(child) == name) {
                found = child;
                break;
            }
        }
        if (found == kNoItem) {
            return;
        }
        if (tree_.GetChildItem(found) == kNoItem) {
            // A file or an empty folder: the end of the way in.
            tree_.SelectItem(found);
            tree_.SetItemBold(found, true);
            return;
        }
        tree_.Expand(found, true);
        current = found;
    }
}

bool RemoteTree::OnExpanding(TreeItem item) {
    // Opening and closing both list the folder again, so the tree shows the server as it is now.
    ListDirectory(GetRemotePath(item), item);
    return false;
}

bool RemoteTree::ListVisible(const std::string& path, std::vector<FtpEntry>& entries) {
    std::vector<FtpEntry> listed;
    entries.clear();
    if (connection_ == nullptr || !connection_->ListDirectory(path, listed)) {
        return false;
    }
    for (FtpEntry& entry : listed) {
        if (!IsHiddenName(entry.name)) {
            entries.push_back(std::move(entry));
        }
    }
    return true;
}

void RemoteTree::ListDirectory(const std::string& path, TreeItem item) {
    DeleteChildren(item);
    std::vector<FtpEntry> entries;
    // A folder that cannot be listed is shown empty; a lost connection is reported by the
    // upload's own commands. A listing given up for its length is said, as nothing else would.
    if (!ListVisible(path, entries) || entries.empty()) {
        if (connection_ != nullptr && connection_->LastErrorCode() == ftp_error::kListingTooLong) {
            ReportFtpError(ui_, *connection_);
        }
        return;
    }
    bool any_folder = false;
    for (const FtpEntry& entry : entries) {
        const TreeItemImage image = entry.is_directory ? kRemoteFolderImage : kRemoteFileImage;
        tree_.InsertItem(item, kInsertLast, entry.name, image, RemoteItemKind(image));
        any_folder = any_folder || entry.is_directory;
    }
    if (!any_folder) {
        return;
    }
    // Each sub-folder is asked whether it holds anything the writer would see, so that only
    // those get an expand button.
    const std::string prefix = path == kRootLabel ? "" : path;
    std::vector<FtpEntry> inside;
    for (TreeItem child = tree_.GetChildItem(item); child != kNoItem;
         child = tree_.GetNextSiblingItem(child)) {
        if (tree_.GetItemImage(child) != kRemoteFolderImage) {
            continue;
        }
        if (ListVisible(prefix + "/" + tree_.GetItemText(child), inside) && !inside.empty()) {
            tree_.InsertItem(child, kInsertLast, kPlaceholderLabel, kRemoteFolderImage,
                             RemoteItemKind(kRemoteFolderImage));
        }
    }
}

std::string RemoteTree::GetRemotePath(TreeItem item) const {
    if (item == kNoItem || root_item_ == kNoItem) {
        return {};
    }
    std::string path = tree_.GetItemText(item);
    for (TreeItem current = item; current != root_item_;) {
        const TreeItem parent = tree_.GetParentItem(current);
        if (parent == kNoItem) {
            return {};
        }
        path = parent == root_item_ ? "/" + path : tree_.GetItemText(parent) + "/" + path;
        current = parent;
    }
    return path;
}

bool RemoteTree::IsDirectoryItem(TreeItem item) const {
    return item != kNoItem && tree_.GetItemImage(item) == kRemoteFolderImage;
}

}  // namespace folix
