#pragma once

#include <string>
#include <vector>

#include "platform/ftp_client.h"
#include "platform/tree_control.h"

namespace folix {

class Ui;

// Images of the remote tree's items.
inline constexpr TreeItemImage kRemoteNoticeImage{0};
inline constexpr TreeItemImage kRemoteFolderImage{1};
inline constexpr TreeItemImage kRemoteFileImage{2};

// The remote tree's items are of the kind their image shows.
inline TreeItemKind RemoteItemKind(TreeItemImage image) {
    return static_cast<TreeItemKind>(image);
}

inline constexpr char kNotConnectedNotice[] = "An FTP connection has not been established.";

// The folders and files of the server, in the upload's tree control. A folder is listed from
// the server each time it opens or closes, never from a cache; a folder known to hold something
// gets a placeholder child, so that it shows an expand button before it is listed. The tree
// uses the connection the upload opened and never owns it.
class RemoteTree {
public:
    // Takes over the tree's expanding notice.
    RemoteTree(Ui& ui, TreeControl& tree);
    RemoteTree(const RemoteTree&) = delete;
    RemoteTree& operator=(const RemoteTree&) = delete;

    // Rebuilds the tree. Without a connection it shows only the not-connected notice. With one
    // it lists the root and opens the folders along path ("/www/docs"); where the path ends at a
    // file or an empty folder, that item is selected and shown in bold.
    void Populate(FtpClient* connection, const std::string& path);
    // Replaces the item's children by the listing of the folder at path.
    void ListDirectory(const std::string& path, TreeItem item);
    // "/" for the root item, "/www/docs" for docs in www; empty for an item outside the root.
    std::string GetRemotePath(TreeItem item) const;

    // The folder items and the root are directories; the notice and the files are not.
    bool IsDirectoryItem(TreeItem item) const;
    TreeItem root_item() const { return root_item_; }
    FtpClient* connection() const { return connection_; }
    // Lines at the root are shown while the server's root holds something.
    bool lines_at_root() const { return lines_at_root_; }
    TreeControl& tree() const { return tree_; }

private:
    bool OnExpanding(TreeItem item);
    void DeleteChildren(TreeItem item);
    // The listing of a folder without the names that start with a dot; false when it failed.
    bool ListVisible(const std::string& path, std::vector<FtpEntry>& entries);

    Ui& ui_;
    TreeControl& tree_;
    FtpClient* connection_ = nullptr;
    TreeItem root_item_ = kNoItem;
    bool lines_at_root_ = false;
};

}  // namespace folix
