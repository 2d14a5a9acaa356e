#include "treeedit/item_deleter.h"

#include <gtest/gtest.h>

#include "support/book_fixture.h"

namespace folix {
namespace {

using testing::BookFixture;
using testing::Exists;
using Names = std::vector<std::string>;

class ItemDeleterTest : public ::testing::Test {
protected:
    void SetUp() override {
        book.Make({"a.txt", "ch/", "ch/x.txt", "ch/empty/", "ch/.git/", "ch/.git/config",
                   "lists/", "lists/deep/", "lists/deep/x.lst"});
        book.Store("", {"la.txt", "dch", "dlists"});
        root = book.Open(book.Attach());
    }

    BookFixture book;
    TreeItem root = kNoItem;
};

TEST_F(ItemDeleterTest, ConfirmedFolderGoesToTheTrashAndLeavesTheTree) {
    book.ui.ExpectQuestion(true);
    book.fs.m_hContextItem = book.Child(root, "ch");
    book.fs.Delete();
    EXPECT_EQ(book.ui.questions, Names{"「ch」をごみ箱に移動しますか？"});
    EXPECT_FALSE(Exists(book.root + "/ch"));
    EXPECT_TRUE(Exists(book.dir / "trash/ch/x.txt"));
    EXPECT_EQ(book.Names(root), (Names{"a.txt", "lists"}));
    EXPECT_EQ(book.Stored(""), (Names{"la.txt", "dlists"}));
}

TEST_F(ItemDeleterTest, DeclinedDeleteKeepsEverything) {
    book.ui.ExpectQuestion(false);
    book.fs.m_hContextItem = book.Child(root, "a.txt");
    book.fs.Delete();
    EXPECT_TRUE(Exists(book.root + "/a.txt"));
    EXPECT_TRUE(book.desktop.trashed.empty());
    EXPECT_EQ(book.Names(root), (Names{"a.txt", "ch", "lists"}));
}

TEST_F(ItemDeleterTest, FolderWithFilesTheTreeDoesNotShowIsRefused) {
    book.fs.m_hContextItem = book.Child(root, "lists");
    book.fs.Delete();
    EXPECT_EQ(book.ui.beeps, 1);
    ASSERT_EQ(book.ui.messages.size(), 1u);
    EXPECT_EQ(book.ui.messages[0].rfind("このフォルダは削除できません！！\n\n解説：\n", 0), 0u);
    EXPECT_TRUE(Exists(book.root + "/lists/deep/x.lst"));
    EXPECT_TRUE(book.ui.questions.empty());
}

TEST_F(ItemDeleterTest, RootCannotBeDeleted) {
    book.fs.m_hContextItem = root;
    book.fs.Delete();
    EXPECT_EQ(book.ui.beeps, 1);
    EXPECT_TRUE(Exists(book.root));
}

TEST_F(ItemDeleterTest, TrashThatRefusesIsReported) {
    testing::WriteBytes(book.dir / "trash", "not a folder");
    book.ui.ExpectQuestion(true);
    book.fs.m_hContextItem = book.Child(root, "a.txt");
    book.fs.Delete();
    EXPECT_EQ(book.ui.notices.size(), 1u);
    EXPECT_TRUE(Exists(book.root + "/a.txt"));
    EXPECT_EQ(book.Names(root), (Names{"a.txt", "ch", "lists"}));
}

}  // namespace
}  // namespace folix
