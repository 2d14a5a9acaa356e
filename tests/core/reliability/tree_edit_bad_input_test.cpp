// Tree edits on the books writers really keep: chapters nested far deeper than anyone plans, and
// files whose names hold characters the program would never have chosen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/book_fixture.h"

namespace folix {
namespace {

using testing::BookFixture;
using testing::Exists;
using testing::ReadBytes;
using testing::WriteBytes;
using Names = std::vector<std::string>;

constexpr int kDepth = 200;

// Rename, create, move out and delete at the bottom of 200 folders: each edit lands on disk and
// in contents.flc, and the deleted branch is whole in the trash.
TEST(TreeEditBadInput, FoldersNestedTwoHundredDeep) {
    BookFixture book;
    std::string folder;
    for (int level = 0; level < kDepth; ++level) {
        folder += "章/";
        book.Make({folder});
    }
    WriteBytes(book.root + "/" + folder + "底.txt", "深い所の本文");
    WriteBytes(book.root + "/a.txt", "");
    TreeItem root = book.Open(book.Attach());
    TreeItem deepest = root;
    for (int level = 0; level < kDepth; ++level) {
        deepest = book.Open(book.Child(deepest, "章"));
    }
    ASSERT_EQ(book.Names(deepest), Names{"底.txt"});

    book.fs.FinishLabelEdit(book.Child(deepest, "底.txt"), std::string("最下層"));
    EXPECT_EQ(ReadBytes(book.root + "/" + folder + "最下層.txt"), "深い所の本文");
    book.fs.m_hContextItem = deepest;
    book.fs.NewFile();
    EXPECT_EQ(book.Stored(folder.substr(0, folder.size() - 1)).size(), 2u);

    // dragged from the bottom onto the top page
    book.fs.OnBegindrag(book.Child(deepest, "最下層.txt"));
    book.fs.OnMouseMove(book.Child(root, "a.txt"));
    book.fs.OnLButtonUp();
    EXPECT_EQ(ReadBytes(book.root + "/最下層.txt"), "深い所の本文");
    EXPECT_EQ(book.Stored("").front(), "l最下層.txt");

    book.ui.ExpectQuestion(true);
    book.fs.m_hContextItem = book.Child(root, "章");
    book.fs.Delete();
    EXPECT_FALSE(Exists(book.root + "/章"));
    EXPECT_TRUE(Exists(book.dir / ("trash/" + folder + "空白.txt")));
    EXPECT_EQ(book.Names(root), (Names{"最下層.txt", "a.txt"}));
    EXPECT_TRUE(book.ui.messages.empty());
}

// Files named with quotes, brackets, ampersands, backslashes and a leading dash move, rename
// and go to the trash like any other, their bytes kept.
TEST(TreeEditBadInput, OddNamesMoveRenameAndDelete) {
    const Names odd = {"q\"u'o<te>&.txt", "back\\slash.txt", "-dash.txt", "sp  ace .txt"};
    BookFixture book;
    book.Make({"ch/", "ch/x.txt"});
    for (const std::string& name : odd) {
        WriteBytes(book.root + "/" + name, name);
    }
    TreeItem root = book.Open(book.Attach());
    TreeItem chapter = book.Open(book.Child(root, "ch"));

    // each one into the chapter, then renamed there, then deleted
    for (const std::string& name : odd) {
        SCOPED_TRACE(name);
        book.Open(chapter);
        book.fs.OnBegindrag(book.Child(root, name));
        book.fs.OnMouseMove(chapter);
        book.fs.OnMouseMove(book.Child(chapter, "x.txt"));
        book.fs.OnLButtonUp();
        ASSERT_EQ(ReadBytes(book.root + "/ch/" + name), name);
        book.fs.FinishLabelEdit(book.Child(chapter, name), std::string("普通の名前"));
        ASSERT_EQ(ReadBytes(book.root + "/ch/普通の名前.txt"), name);
        book.ui.ExpectQuestion(true);
        book.fs.m_hContextItem = book.Child(chapter, "普通の名前.txt");
        book.fs.Delete();
        EXPECT_FALSE(Exists(book.root + "/ch/普通の名前.txt"));
    }
    EXPECT_TRUE(book.ui.messages.empty());
    EXPECT_EQ(book.Stored("ch"), Names{"lx.txt"});
}

}  // namespace
}  // namespace folix
