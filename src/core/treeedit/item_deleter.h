#pragma once

#include "platform/tree_control.h"
#include "platform/version_recorder.h"

namespace folix {

class BookTree;
class Desktop;
class DocumentHost;
class FolderRefresh;

// The tree's "削除" command: the item goes to the desktop's trash, after the writer confirms.
// A folder holding anything the tree does not show is refused, so nothing unseen is thrown away.
class ItemDeleter {
public:
    // Without a desktop (the command line) nothing can go to the trash. The editor's file goes
    // with the item it lies in: it is offered for saving first and the editor emptied after.
    ItemDeleter(BookTree& tree, FolderRefresh& refresh, Desktop* desktop, DocumentHost* host)
        : tree_(tree), refresh_(refresh), desktop_(desktop), host_(host) {}

    void Delete(TreeItem context_item);
    // Where the last text of what is deleted is kept first; none by default.
    void SetVersionRecorder(VersionRecorder* recorder) { recorder_ = recorder; }

private:
    BookTree& tree_;
    FolderRefresh& refresh_;
    Desktop* desktop_;
    DocumentHost* host_;
    VersionRecorder* recorder_ = nullptr;
};

inline constexpr char kFolderNotDeletableMessage[] =
    "このフォルダは削除できません！！\n\n解説：\nこのフォルダにはこのソフトが表示しないファイルやフ"
    "ォルダ"
    "が含まれています。このフォルダはエクスプローラ等で内容を確認の上削除してください。";

}  // namespace folix
