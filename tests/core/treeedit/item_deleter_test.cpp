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
        book.Make({"a.txt", "ch/", "ch/x.txt", "ch/empty/", "ch/.git/", "ch/.git/config", "lists/",
                   "lists/deep/", "lists/deep/x.lst"});
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

// The editor's file is deleted with its item: offered for saving, so what was typed goes to the
// trash as well, and the editor is emptied; a save that fails keeps the item.
TEST_F(ItemDeleterTest, TheEditorsFileGoesWithItsItemAndNeverComesBack) {
    struct Row {
        const char* item;
        const char* open_file;
        bool save_fails;
        bool deleted;
        int emptied;
    };
    const Row rows[] = {
        {"a.txt", "a.txt", false, true, 1},
        {"ch", "ch/x.txt", false, true, 1},
        {"ch", "a.txt", false, true, 0},
        {"ch", "ch/x.txt", true, false, 0},
    };
    for (const Row& row : rows) {
        BookFixture fresh;
        fresh.Make({"a.txt", "ch/", "ch/x.txt"});
        const TreeItem top = fresh.Open(fresh.Attach());
        fresh.host.document_path = fresh.root + "/" + row.open_file;
        fresh.host.modified = true;
        fresh.host.save_fails = row.save_fails;
        fresh.ui.ExpectQuestion(true);
        fresh.fs.m_hContextItem = fresh.Child(top, row.item);
        fresh.fs.Delete();
        const bool concerns = std::string(row.open_file).rfind(row.item, 0) == 0;
        EXPECT_EQ(fresh.host.save_questions, concerns ? 1 : 0) << row.item << " " << row.open_file;
        EXPECT_NE(Exists(fresh.root + "/" + row.item), row.deleted) << row.item;
        EXPECT_EQ(fresh.host.emptied, row.emptied) << row.item << " " << row.open_file;
    }
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
