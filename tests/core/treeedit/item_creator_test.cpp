#include "treeedit/item_creator.h"

#include <gtest/gtest.h>

#include "support/book_fixture.h"

namespace folix {
namespace {

using testing::BookFixture;
using testing::Exists;
using testing::ReadBytes;
using Names = std::vector<std::string>;

TEST(ItemCreator, NewFileTakesAFreeNameAndComesFirst) {
    BookFixture book;
    book.Make({"空白.txt", "空白2/", "本文.txt"});
    TreeItem root = book.Open(book.Attach());
    book.fs.m_hContextItem = root;
    book.fs.NewFile();
    EXPECT_EQ(ReadBytes(book.root + "/空白3.txt"), "");
    EXPECT_EQ(book.Names(root), (Names{"空白3.txt", "空白.txt", "空白2", "本文.txt"}));
    EXPECT_EQ(book.Stored("").front(), "l空白3.txt");
    EXPECT_EQ(book.tree.GetSelectedItem(), kNoItem);
}

TEST(ItemCreator, NewFolderHoldsAnEmptyFirstPage) {
    BookFixture book;
    book.Make({"a.txt"});
    TreeItem root = book.Open(book.Attach());
    book.fs.m_hContextItem = root;
    book.fs.NewFolder();
    EXPECT_EQ(book.Names(root), (Names{"新しいﾌｫﾙﾀﾞ", "a.txt"}));
    EXPECT_EQ(ReadBytes(book.root + "/新しいﾌｫﾙﾀﾞ/空白.txt"), "");
    TreeItem folder = book.Child(root, "新しいﾌｫﾙﾀﾞ");
    EXPECT_FALSE(book.tree.IsExpanded(folder));
    EXPECT_EQ(book.fs.Tree().GetItemImage(folder), kImageClosedFolder);
}

TEST(ItemCreator, NewOnAFileIsRefused) {
    BookFixture book;
    book.Make({"a.txt"});
    TreeItem root = book.Open(book.Attach());
    book.fs.m_hContextItem = book.Child(root, "a.txt");
    book.fs.NewFile();
    book.fs.NewFolder();
    EXPECT_EQ(book.ui.messages, Names(2, "フォルダにのみ新規作成できます。"));
    EXPECT_EQ(book.Names(root), Names{"a.txt"});
}

TEST(ItemCreator, AddedItemsGoRightAfterTheContextItem) {
    BookFixture book;
    book.Make({"1.txt", "2.txt", "3.txt", "4.txt", "5.txt", "空白.lst"});
    book.Store("", {"l1.txt", "l2.txt", "l3.txt", "l4.txt", "l5.txt", "l空白.lst"});
    TreeItem root = book.Open(book.Attach());
    book.tree.SelectItem(book.Child(root, "1.txt"));
    book.fs.m_hContextItem = book.Child(root, "3.txt");
    book.fs.AddFile(".txt");  // any extension takes the stem: 空白.lst blocks 空白
    EXPECT_EQ(book.Names(root),
              (Names{"1.txt", "2.txt", "3.txt", "空白2.txt", "4.txt", "5.txt", "空白.lst"}));
    book.fs.m_hContextItem = book.Child(root, "空白2.txt");
    book.fs.AddFile(".lst");
    book.fs.AddFolder();
    EXPECT_EQ(book.Names(root), (Names{"1.txt", "2.txt", "3.txt", "空白2.txt", "新しいﾌｫﾙﾀﾞ",
                                       "空白3.lst", "4.txt", "5.txt", "空白.lst"}));
    EXPECT_EQ(book.fs.Tree().ItemFileName(book.tree.GetSelectedItem()), "1.txt");
    EXPECT_TRUE(book.host.opened.empty());
}

// The book's own item has nothing beside it: what is added there goes first into the book
// folder, and each command names what it made.
TEST(ItemCreator, AddOnTheRootGoesFirstIntoTheBookFolder) {
    BookFixture book;
    book.Make({"本文.txt"});
    TreeItem root = book.Open(book.Attach());
    book.fs.m_hContextItem = root;
    EXPECT_EQ(book.fs.AddFile(".txt"), book.root + "/空白.txt");
    EXPECT_EQ(book.fs.AddFolder(), book.root + "/新しいﾌｫﾙﾀﾞ");
    EXPECT_EQ(book.ui.beeps, 0);
    EXPECT_EQ(book.Names(root), (Names{"新しいﾌｫﾙﾀﾞ", "空白.txt", "本文.txt"}));
    EXPECT_EQ(book.Stored(""), (Names{"d新しいﾌｫﾙﾀﾞ", "l空白.txt", "l本文.txt"}));
    book.fs.m_hContextItem = book.Child(root, "本文.txt");
    EXPECT_EQ(book.fs.NewFile(), "");
    EXPECT_EQ(book.fs.AddFile(".lst"), book.root + "/空白2.lst");
}

// Every name up to the hundredth taken: the file system refuses, and neither the stored order
// nor the tree changes.
TEST(ItemCreator, RefusedCreationChangesNothingElse) {
    BookFixture book;
    book.Make({"ch/", "ch/空白.txt", "ch/空白100.txt"});
    for (int n = 2; n <= 99; ++n) {
        book.Make({"ch/空白" + std::to_string(n) + ".lst"});
    }
    TreeItem root = book.Open(book.Attach());
    TreeItem chapter = book.Open(book.Child(root, "ch"));
    const Names stored = book.Stored("ch");
    const Names shown = book.Names(chapter);
    book.fs.m_hContextItem = chapter;
    book.fs.NewFile();
    EXPECT_EQ(book.ui.notices.size(), 1u);
    EXPECT_EQ(book.Stored("ch"), stored);
    EXPECT_EQ(book.Names(chapter), shown);
}

TEST(ItemCreator, SearchLockRefusesEveryEdit) {
    BookFixture book;
    book.Make({"a.txt"});
    TreeItem root = book.Open(book.Attach());
    book.fs.Tree().m_bSearchLock = true;
    book.fs.m_hContextItem = root;
    book.fs.NewFile();
    book.fs.NewFolder();
    book.fs.m_hContextItem = book.Child(root, "a.txt");
    book.fs.AddFile(".txt");
    book.fs.AddFolder();
    book.fs.Delete();
    book.fs.MoveItem(book.Child(root, "a.txt"), root);
    book.fs.FinishLabelEdit(book.Child(root, "a.txt"), "b");
    EXPECT_EQ(book.ui.notices.size(), 7u);
    EXPECT_EQ(book.Names(root), Names{"a.txt"});
    EXPECT_EQ(book.Stored(""), Names{"la.txt"});
    EXPECT_TRUE(Exists(book.root + "/a.txt"));
}

}  // namespace
}  // namespace folix
