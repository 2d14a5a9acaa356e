#pragma once

#include <string>
#include <vector>

#include "book/contents_file.h"
#include "model/file_system.h"
#include "model/memory_tree_control.h"
#include "support/fake_host.h"
#include "support/memory_profile.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace folix::testing {

// A book "novel" in a fresh folder, its model attached to an in-memory tree, with a recording
// document host, a trash folder of its own and a profile in memory.
class BookFixture {
public:
    BookFixture() {
        MakeFolder(root);
        WriteBytes(root + "/novel.flx", "");
    }

    // Files and folders named relative to the book folder; a trailing "/" makes a folder.
    void Make(const std::vector<std::string>& paths) {
        for (const std::string& path : paths) {
            if (!path.empty() && path.back() == '/') {
                MakeFolder(root + "/" + path);
            } else {
                WriteBytes(root + "/" + path, "");
            }
        }
    }
    void Store(const std::string& folder, const std::vector<std::string>& entries) {
        ControlFile file{entries, TextEncoding::kUtf8};
        ASSERT_TRUE(WriteContents(ui, folder.empty() ? root : root + "/" + folder, file));
    }
    std::vector<std::string> Stored(const std::string& folder) {
        ControlFile file;
        EXPECT_TRUE(ReadContents(ui, folder.empty() ? root : root + "/" + folder, file));
        return file.lines;
    }

    TreeItem Attach() {
        fs.AttachBook(tree, root + "/novel.flx");
        return fs.Tree().m_hRootItem;
    }
    TreeItem Root() const { return fs.Tree().m_hRootItem; }
    // Opens the folder item as a click would.
    TreeItem Open(TreeItem item) {
        tree.Expand(item, true);
        return item;
    }
    std::vector<std::string> Names(TreeItem folder) const {
        std::vector<std::string> names;
        for (TreeItem child = tree.GetChildItem(folder); child != kNoItem;
             child = tree.GetNextSiblingItem(child)) {
            names.push_back(fs.Tree().ItemFileName(child));
        }
        return names;
    }
    TreeItem Child(TreeItem folder, const std::string& file_name) const {
        for (TreeItem child = tree.GetChildItem(folder); child != kNoItem;
             child = tree.GetNextSiblingItem(child)) {
            if (fs.Tree().ItemFileName(child) == file_name) {
                return child;
            }
        }
        ADD_FAILURE() << "no item " << file_name;
        return kNoItem;
    }

    TempFolder dir;
    std::string root = dir / "novel";
    ScriptedUi ui;
    MemoryTreeControl tree;
    FakeDocumentHost host;
    FolderTrashDesktop desktop{dir / "trash"};
    MemoryProfile profile;
    CFileSystem fs{ui, &host, &desktop, &profile};
};

}  // namespace folix::testing
