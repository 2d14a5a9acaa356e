#include "treeedit/item_mover.h"

#include <gtest/gtest.h>

#include "support/book_fixture.h"

namespace folix {
namespace {

using testing::BookFixture;
using testing::Exists;
using testing::ReadBytes;
using Names = std::vector<std::string>;

class ItemMoverTest : public ::testing::Test {
protected:
    void SetUp() override {
        book.Make({"1.txt", "2.txt", "3.txt", "4.txt", "5.txt", "ch/", "ch/x.txt"});
        book.Store("", {"l1.txt", "l2.txt", "l3.txt", "l4.txt", "l5.txt", "dch"});
        root = book.Open(book.Attach());
    }
    TreeItem Item(const std::string& name) { return book.Child(root, name); }
    // A drag as the pointer makes it: begin on one item, pass over others, release.
    void Drag(TreeItem from, const std::vector<TreeItem>& over) {
        book.fs.OnBegindrag(from);
        for (TreeItem item : over) {
            book.fs.OnMouseMove(item);
        }
        book.fs.OnLButtonUp();
    }

    BookFixture book;
    TreeItem root = kNoItem;
};

TEST_F(ItemMoverTest, ThirdOntoFifthAndOntoFirst) {
    Drag(Item("3.txt"), {Item("4.txt"), Item("5.txt")});
    EXPECT_EQ(book.Names(root), (Names{"1.txt", "2.txt", "4.txt", "3.txt", "5.txt", "ch"}));
    EXPECT_EQ(book.Stored(""), (Names{"l1.txt", "l2.txt", "l4.txt", "l3.txt", "l5.txt", "dch"}));

    book.Store("", {"l1.txt", "l2.txt", "l3.txt", "l4.txt", "l5.txt", "dch"});
    book.fs.ReloadFolder(root);
    Drag(Item("3.txt"), {Item("1.txt")});
    EXPECT_EQ(book.Names(root), (Names{"3.txt", "1.txt", "2.txt", "4.txt", "5.txt", "ch"}));
    EXPECT_EQ(book.Stored(""), (Names{"l3.txt", "l1.txt", "l2.txt", "l4.txt", "l5.txt", "dch"}));
    EXPECT_EQ(book.tree.GetDropHighlightItem(), kNoItem);
    EXPECT_FALSE(book.fs.Drag().m_bDragging);
}

TEST_F(ItemMoverTest, FileMovesIntoAnotherFolderAboveTheTarget) {
    testing::WriteBytes(book.root + "/2.txt", "二の本文");
    TreeItem chapter = book.Open(Item("ch"));
    // The pointer leaves the items after the highlight: the target stays.
    Drag(Item("2.txt"), {book.Child(chapter, "x.txt"), kNoItem});
    EXPECT_EQ(ReadBytes(book.root + "/ch/2.txt"), "二の本文");
    EXPECT_FALSE(Exists(book.root + "/2.txt"));
    EXPECT_EQ(book.Names(chapter), (Names{"2.txt", "x.txt"}));
    EXPECT_EQ(book.Stored("ch"), (Names{"l2.txt", "lx.txt"}));
    EXPECT_EQ(book.Names(root), (Names{"1.txt", "3.txt", "4.txt", "5.txt", "ch"}));
    EXPECT_EQ(book.Stored(""), (Names{"l1.txt", "l3.txt", "l4.txt", "l5.txt", "dch"}));
}

TEST_F(ItemMoverTest, MoveOntoANameTheFolderHoldsIsRefusedAndNothingIsLost) {
    testing::WriteBytes(book.root + "/ch/1.txt", "章の一");
    testing::WriteBytes(book.root + "/1.txt", "本の一");
    TreeItem chapter = book.Open(Item("ch"));
    const Names chapter_stored = book.Stored("ch");
    Drag(Item("1.txt"), {book.Child(chapter, "x.txt")});
    EXPECT_EQ(book.ui.notices.size(), 1u);
    EXPECT_EQ(ReadBytes(book.root + "/ch/1.txt"), "章の一");
    EXPECT_EQ(ReadBytes(book.root + "/1.txt"), "本の一");
    EXPECT_EQ(book.Stored("ch"), chapter_stored);
    EXPECT_EQ(book.Stored("").front(), "l1.txt");
}

TEST_F(ItemMoverTest, RefusedDropsBeepAndMoveNothing) {
    TreeItem chapter = book.Open(Item("ch"));
    const Names before = book.Names(root);
    Drag(Item("ch"), {book.Child(chapter, "x.txt")});  // into its own branch
    Drag(Item("2.txt"), {root});                       // onto the root
    Drag(Item("2.txt"), {Item("2.txt")});              // onto itself
    EXPECT_EQ(book.ui.beeps, 3);
    Drag(Item("2.txt"), {});  // released before anything was highlighted
    Drag(Item("2.txt"), {kNoItem});
    EXPECT_EQ(book.ui.beeps, 3);
    EXPECT_EQ(book.Names(root), before);
    EXPECT_TRUE(Exists(book.root + "/ch/x.txt"));
}

TEST_F(ItemMoverTest, TheEditorsFileFollowsTheMovedItemOrItsFolder) {
    book.host.document_path = book.root + "/3.txt";
    Drag(Item("3.txt"), {Item("ch")});
    ASSERT_TRUE(Exists(book.root + "/3.txt"));  // in front of ch, in the same folder
    book.fs.MoveItem(Item("3.txt"), book.Child(book.Open(Item("ch")), "x.txt"));
    EXPECT_EQ(book.host.document_path, book.root + "/ch/3.txt");
    book.host.document_path = book.root + "/ch/x.txt";
    book.Make({"other/", "other/y.txt"});
    book.fs.ReloadFolder(root);
    book.fs.MoveItem(Item("ch"), book.Child(book.Open(Item("other")), "y.txt"));
    EXPECT_EQ(book.host.document_path, book.root + "/other/ch/x.txt");
    EXPECT_TRUE(Exists(book.host.document_path));
}

TEST_F(ItemMoverTest, ModifiedDocumentIsOfferedForSavingInsteadOfADrag) {
    book.host.modified = true;
    book.fs.OnBegindrag(Item("3.txt"));
    EXPECT_EQ(book.host.save_questions, 1);
    EXPECT_FALSE(book.fs.Drag().m_bDragging);
    book.fs.OnMouseMove(Item("5.txt"));
    book.fs.OnLButtonUp();
    EXPECT_EQ(book.Names(root).at(2), "3.txt");
}

}  // namespace
}  // namespace folix
