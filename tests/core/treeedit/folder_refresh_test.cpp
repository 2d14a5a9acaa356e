#include "treeedit/folder_refresh.h"

#include <gtest/gtest.h>

#include "support/book_fixture.h"

namespace folix {
namespace {

using testing::BookFixture;
using Names = std::vector<std::string>;

// Each case of the refresh keeps the items that are still right and mends the rest.
class FolderRefreshTest : public ::testing::Test {
protected:
    void SetUp() override {
        book.Make({"A.txt", "B.txt", "C.txt"});
        root = book.Attach();
        // Show the tree as it was before the disk changed.
        book.tree.DeleteItem(book.tree.GetChildItem(root));
    }
    void Show(const Names& names) {
        for (const std::string& name : names) {
            book.fs.Tree().InsertItemFromEntry({EntryKind::kFile, name}, root, kInsertLast);
        }
    }
    TreeItem Item(const std::string& name) { return book.Child(root, name); }

    BookFixture book;
    TreeItem root = kNoItem;
};

TEST_F(FolderRefreshTest, MissingEntryIsInsertedInTheMiddleAndOthersKept) {
    book.Store("", {"lA.txt", "lB.txt", "lC.txt"});
    Show({"A.txt", "C.txt"});
    TreeItem a = Item("A.txt");
    TreeItem c = Item("C.txt");
    book.fs.ReloadFolder(root);
    EXPECT_EQ(book.Names(root), (Names{"A.txt", "B.txt", "C.txt"}));
    EXPECT_EQ(Item("A.txt"), a);
    EXPECT_EQ(Item("C.txt"), c);
}

TEST_F(FolderRefreshTest, VanishedItemIsDeleted) {
    book.Store("", {"lA.txt", "lB.txt", "lC.txt"});
    Show({"A.txt", "X.txt", "B.txt", "C.txt"});
    TreeItem b = Item("B.txt");
    book.fs.ReloadFolder(root);
    EXPECT_EQ(book.Names(root), (Names{"A.txt", "B.txt", "C.txt"}));
    EXPECT_EQ(Item("B.txt"), b);
}

TEST_F(FolderRefreshTest, MismatchRebuildsTheTail) {
    book.Store("", {"lA.txt", "lB.txt", "lC.txt"});
    Show({"A.txt", "X.txt", "Y.txt"});
    book.fs.ReloadFolder(root);
    EXPECT_EQ(book.Names(root), (Names{"A.txt", "B.txt", "C.txt"}));
}

TEST_F(FolderRefreshTest, PlaceholderIsTurnedIntoTheFirstEntry) {
    book.tree.InsertItem(root, kInsertLast, "dummy", kImagePlaceholder, kPlaceholderItem);
    TreeItem placeholder = book.tree.GetChildItem(root);
    book.fs.ReloadFolder(root);
    EXPECT_EQ(book.Names(root), (Names{"A.txt", "B.txt", "C.txt"}));
    EXPECT_EQ(Item("A.txt"), placeholder);
    EXPECT_TRUE(book.tree.IsExpanded(root));
}

TEST_F(FolderRefreshTest, NoEntriesRemovesEveryChild) {
    Show({"A.txt", "B.txt"});
    testing::WriteBytes(book.root + "/contents.flc", "broken\r\n");
    book.fs.OnItemexpanding(root, true);
    EXPECT_TRUE(book.Names(root).empty());
}

TEST_F(FolderRefreshTest, RefusedDeletionIsReportedAndTheRefreshGoesOn) {
    book.Store("", {"lA.txt", "lB.txt", "lC.txt"});
    Show({"X.txt", "Y.txt"});
    book.tree.RefuseNextDelete();
    book.fs.OnItemexpanding(root, true);
    EXPECT_EQ(book.ui.messages, Names{"CFileSystem::DeleteSiblingItem-error"});
    EXPECT_EQ(book.Names(root), (Names{"X.txt", "A.txt", "B.txt", "C.txt"}));
}

// The window finds the item of the editor's file by its path, opening closed folders on the way,
// and never an item for a path that merely starts like the book's.
TEST(RevealPath, FindsTheItemOfAPathInsideTheBookOnly) {
    BookFixture book;
    book.Make({"第一章/", "第一章/朝.txt", "第一章/cast.lst", "第一章　朝/", "第一章　朝/昼.txt"});
    const TreeItem root = book.Attach();
    struct Row {
        std::string path;
        std::vector<std::string> labels;  // from the root's child down; none expected when empty
    };
    const Row rows[] = {
        {book.root + "/第一章/朝.txt", {"第一章", "朝"}},
        {book.root + "/第一章/cast.lst", {"第一章", "cast.lst"}},
        {book.root + "/第一章　朝/昼.txt", {"第一章　朝", "昼"}},
        {book.root + "/第一章", {"第一章"}},
        {book.root + "/第一章/夜.txt", {}},
        {book.root + "/第一章/朝.txt/x", {}},
        {book.root + "2/第一章/朝.txt", {}},
        {book.root, {}},
        {"", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        const TreeItem item = book.fs.RevealPath(row.path);
        if (row.labels.empty()) {
            EXPECT_EQ(item, kNoItem);
            continue;
        }
        ASSERT_NE(item, kNoItem);
        std::vector<std::string> labels;
        for (TreeItem walk = item; walk != root; walk = book.tree.GetParentItem(walk)) {
            labels.insert(labels.begin(), book.tree.GetItemText(walk));
        }
        EXPECT_EQ(labels, row.labels);
        EXPECT_EQ(book.fs.Tree().ItemPath(item), row.path);
    }
}

}  // namespace
}  // namespace folix
