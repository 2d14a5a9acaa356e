#include "book/book_tree.h"

#include <gtest/gtest.h>

#include "support/book_fixture.h"
#include "support/control_file_header.h"

namespace folix {
namespace {

using testing::BookFixture;
using testing::kControlFileHeader;
using testing::ReadBytes;
using Names = std::vector<std::string>;

TEST(BookTree, NewBookShowsBoldRootWithPlaceholderThenItsFirstPage) {
    BookFixture book;
    book.Make({"空白.txt"});
    TreeItem root = book.Attach();
    BookTree& tree = book.fs.Tree();
    EXPECT_EQ(book.tree.GetItemText(root), "novel");
    EXPECT_TRUE(book.tree.IsItemBold(root));
    EXPECT_EQ(tree.GetItemImage(root), kImageClosedFolder);
    EXPECT_EQ(book.Names(root), Names{"dummy"});
    EXPECT_EQ(tree.m_strRootPath, book.root);
    EXPECT_EQ(tree.m_strParentPath, book.dir.path());
    EXPECT_EQ(tree.BookFilePath(), book.root + "/novel.flx");

    book.Open(root);
    EXPECT_EQ(book.Names(root), Names{"空白.txt"});
    TreeItem page = book.tree.GetChildItem(root);
    EXPECT_EQ(book.tree.GetItemText(page), "空白");
    EXPECT_EQ(tree.ItemKind(page), kTextItem);
    EXPECT_EQ(tree.ItemPath(page), book.root + "/空白.txt");
    EXPECT_EQ(tree.GetItemImage(root), kImageOpenFolder);
    EXPECT_EQ(ReadBytes(book.root + "/contents.flc"), kControlFileHeader + "l空白.txt\r\n");
}

TEST(BookTree, ListingSortsIgnoringCaseAndLeavesOutWhatTheBookDoesNotShow) {
    BookFixture book;
    book.Make({"b.txt", "A.txt", "c/", "c/x.lst", ".hidden/", "pic.png", "index.html", "sub/",
               "sub/index.html", "sub/notes.htx"});
    TreeItem root = book.Open(book.Attach());
    EXPECT_EQ(book.Names(root), (Names{"A.txt", "b.txt", "c", "index.html", "sub"}));
    BookTree& tree = book.fs.Tree();
    TreeItem lists_only = book.Child(root, "c");
    EXPECT_EQ(tree.GetItemImage(lists_only), kImageEmptyFolder);
    EXPECT_EQ(book.tree.GetChildItem(lists_only), kNoItem);
    EXPECT_EQ(tree.GetItemImage(book.Child(root, "index.html")), kImageOtherFile);
    // A page is listed in the book folder only.
    TreeItem sub = book.Child(root, "sub");
    book.fs.ReloadFolder(sub);
    EXPECT_EQ(book.Names(sub), Names{"notes.htx"});
    EXPECT_EQ(tree.GetItemImage(book.Child(sub, "notes.htx")), kImageEditableFile);
    EXPECT_EQ(book.Stored(""), (Names{"lA.txt", "lb.txt", "dc", "lindex.html", "dsub"}));
}

TEST(BookTree, StoredOrderWinsAndVanishedEntriesGo) {
    BookFixture book;
    book.Make({"0.txt", "1.txt", "2.txt"});
    book.Store("", {"l2.txt", "lgone.txt", "l1.txt"});
    TreeItem root = book.Open(book.Attach());
    EXPECT_EQ(book.Names(root), (Names{"2.txt", "1.txt", "0.txt"}));
    EXPECT_EQ(book.Stored(""), (Names{"l2.txt", "l1.txt", "l0.txt"}));
}

// On a file system that tells case apart, the path formed from an item must name the file
// that exists: CHAPTER.TXT shows as CHAPTER and opens as CHAPTER.TXT.
TEST(BookTree, TextFileKeepsTheExtensionAsSpeltOnDisk) {
    BookFixture book;
    book.Make({"CHAPTER.TXT", "Notes.txt"});
    book.Store("", {"lnotes.txt", "lchapter.txt"});
    TreeItem root = book.Open(book.Attach());
    TreeItem chapter = book.Child(root, "CHAPTER.TXT");
    EXPECT_EQ(book.tree.GetItemText(chapter), "CHAPTER");
    EXPECT_EQ(book.fs.Tree().ItemPath(chapter), book.root + "/CHAPTER.TXT");
    EXPECT_EQ(book.Names(root), (Names{"Notes.txt", "CHAPTER.TXT"}));
    EXPECT_EQ(book.Stored(""), (Names{"lNotes.txt", "lCHAPTER.TXT"}));
}

TEST(BookTree, InvalidContentsFileShowsNoChildrenAndStaysAsItWas) {
    BookFixture book;
    book.Make({"a.txt"});
    testing::WriteBytes(book.root + "/contents.flc", "not ours\r\n");
    TreeItem root = book.Open(book.Attach());
    EXPECT_TRUE(book.Names(root).empty());
    EXPECT_EQ(ReadBytes(book.root + "/contents.flc"), "not ours\r\n");
    EXPECT_EQ(book.ui.messages.size(), 1u);
}

TEST(BookTree, NoTreeWithoutABookFileAndTreeCommandsRefuse) {
    testing::BookFixture book;
    book.fs.AttachBook(book.tree, book.root + "/a.txt");
    EXPECT_FALSE(book.fs.HasTree());
    EXPECT_FALSE(book.fs.RequireTree("HTML作成"));
    EXPECT_EQ(book.ui.messages,
              Names{"ツリーが表示されていないのでHTML作成ができません。ツリーを表示してやり直して"
                    "ください。"});
}

TEST(BookTree, SearchMarksSurviveOpeningAndClosing) {
    BookFixture book;
    book.Make({"ch/", "ch/a.txt"});
    TreeItem root = book.Open(book.Attach());
    TreeItem chapter = book.Child(root, "ch");
    book.fs.Tree().SetSearchMark(chapter, SearchMark::kAboveHit);
    book.Open(chapter);
    EXPECT_EQ(book.fs.Tree().GetItemImage(chapter), kImageOpenFolderAboveHit);
    book.tree.Expand(chapter, false);
    EXPECT_EQ(book.fs.Tree().GetItemImage(chapter), kImageClosedFolderAboveHit);
}

TEST(BookTree, SearchLockRefusesExpandingWithTheNotice) {
    BookFixture book;
    book.Make({"a.txt"});
    TreeItem root = book.Attach();
    book.fs.Tree().m_bSearchMarks = true;
    book.fs.Tree().m_bSearchLock = true;
    book.Open(root);
    EXPECT_FALSE(book.tree.IsExpanded(root));
    EXPECT_EQ(book.Names(root), Names{"dummy"});
    EXPECT_EQ(
        book.ui.notices,
        Names{"今はできません。folix検索ダイアログのリセットボタンを押してやり直してください。"});
}

}  // namespace
}  // namespace folix
