#include "treeedit/item_renamer.h"

#include <gtest/gtest.h>

#include "book/recent_files.h"
#include "support/book_fixture.h"

namespace folix {
namespace {

using testing::BookFixture;
using testing::Exists;
using testing::ReadBytes;
using Names = std::vector<std::string>;

const std::string kForbiddenNotice = "次の半角文字は使えません。 \"\\|:*<.>/?";

class ItemRenamerTest : public ::testing::Test {
protected:
    void SetUp() override {
        book.Make({"a.txt", "list.lst", "ch/", "ch/x.txt", "header.htx"});
        book.Store("", {"la.txt", "llist.lst", "dch", "lheader.htx"});
        testing::WriteBytes(book.root + "/a.txt", "本文");
        root = book.Open(book.Attach());
    }
    void Rename(const std::string& file_name, const std::optional<std::string>& text) {
        book.fs.FinishLabelEdit(book.Child(root, file_name), text);
    }

    BookFixture book;
    TreeItem root = kNoItem;
};

TEST_F(ItemRenamerTest, TextFileIsRenamedOnDiskInItsEntryAndReopened) {
    book.host.modified = true;
    Rename("a.txt", "序章");
    EXPECT_EQ(ReadBytes(book.root + "/序章.txt"), "本文");
    EXPECT_FALSE(Exists(book.root + "/a.txt"));
    EXPECT_EQ(book.Stored("").front(), "l序章.txt");
    EXPECT_EQ(book.Names(root).front(), "序章.txt");
    EXPECT_EQ(book.host.opened, Names{book.root + "/序章.txt"});
    EXPECT_EQ(book.host.save_questions, 1);
}

TEST_F(ItemRenamerTest, ForbiddenCharactersAreRefusedAndTheLabelStays) {
    // a pasted line end or tab too: it would split the name's line in contents.flc
    for (const char* name : {"a.b", "a:b", "a/b", "a?", "序\r\n章", "序\t章", "\x7f"}) {
        Rename("a.txt", std::string(name));
    }
    EXPECT_EQ(book.ui.notices, Names(7, kForbiddenNotice));
    EXPECT_EQ(book.Stored("").front(), "la.txt");
    EXPECT_EQ(book.tree.GetItemText(book.Child(root, "a.txt")), "a");
    EXPECT_TRUE(Exists(book.root + "/a.txt"));
}

TEST_F(ItemRenamerTest, ListFileKeepsItsExtension) {
    Rename("list.lst", "b.txt");
    Rename("list.lst", "b");
    EXPECT_EQ(book.ui.notices, Names(2, "拡張子を変えることはできません。"));
    Rename("list.lst", "章一覧.lst");
    EXPECT_TRUE(Exists(book.root + "/章一覧.lst"));
    EXPECT_EQ(book.Stored("").at(1), "l章一覧.lst");
}

TEST_F(ItemRenamerTest, FolderNameWithADotIsAnExtensionChange) {
    Rename("ch", "ch.2");
    EXPECT_EQ(book.ui.notices, Names{"拡張子を変えることはできません。"});
    Rename("ch", "第一章");
    EXPECT_TRUE(Exists(book.root + "/第一章/x.txt"));
    EXPECT_EQ(book.Stored("").at(2), "d第一章");
    EXPECT_TRUE(book.host.opened.empty());
}

TEST_F(ItemRenamerTest, TheEditorsFileFollowsEveryRenameAndAFailedSaveStopsIt) {
    book.host.document_path = book.root + "/ch/x.txt";
    Rename("ch", "第一章");
    EXPECT_EQ(book.host.document_path, book.root + "/第一章/x.txt");
    EXPECT_EQ(book.host.emptied, 0);

    book.host.document_path = book.root + "/novel.flx";
    book.fs.FinishLabelEdit(root, std::string("小説"));
    EXPECT_EQ(book.host.document_path, book.dir / "小説/小説.flx");

    // Yes to the question, and the disk refuses the save: nothing is renamed.
    book.host.modified = true;
    book.host.save_fails = true;
    const std::string root_now = book.fs.Tree().m_strRootPath;
    book.fs.FinishLabelEdit(book.Child(root, "a.txt"), std::string("序章"));
    EXPECT_TRUE(Exists(root_now + "/a.txt"));
    EXPECT_EQ(book.host.save_questions, 1);
    EXPECT_EQ(book.host.opened.size(), 0u);
}

TEST_F(ItemRenamerTest, OtherFilesOnlyBeep) {
    Rename("header.htx", "top.htx");
    EXPECT_EQ(book.ui.beeps, 1);
    EXPECT_TRUE(Exists(book.root + "/header.htx"));
}

TEST_F(ItemRenamerTest, RenameOntoAnExistingNameIsRefusedWithTheOldLabelBack) {
    book.Make({"b.txt"});
    testing::WriteBytes(book.root + "/b.txt", "別の本文");
    Rename("a.txt", "b");
    EXPECT_EQ(book.ui.notices.size(), 1u);
    EXPECT_EQ(ReadBytes(book.root + "/b.txt"), "別の本文");
    EXPECT_EQ(ReadBytes(book.root + "/a.txt"), "本文");
    EXPECT_EQ(book.tree.GetItemText(book.Child(root, "a.txt")), "a");
    EXPECT_EQ(book.Stored("").front(), "la.txt");
}

TEST_F(ItemRenamerTest, CancelledEditStillAsksAndReopens) {
    book.host.modified = true;
    Rename("a.txt", std::nullopt);
    book.host.modified = true;
    Rename("ch", std::nullopt);
    EXPECT_EQ(book.host.save_questions, 2);
    EXPECT_EQ(book.host.opened, Names{book.root + "/a.txt"});
    EXPECT_EQ(book.host.emptied, 0);
    EXPECT_TRUE(Exists(book.root + "/ch"));
}

TEST_F(ItemRenamerTest, FolderInUseByAnotherWindowIsRefused) {
    book.host.other_roots = {book.root + "/ch/sub"};
    Rename("ch", "第一章");
    EXPECT_EQ(book.ui.messages,
              Names{"このパスは他の画面で使用中です。その画面を閉じてやり直してください。"});
    EXPECT_TRUE(Exists(book.root + "/ch"));
    EXPECT_EQ(book.host.save_questions, 0);  // refused before anything was asked
}

TEST_F(ItemRenamerTest, BookFolderTakesItsBookFileAndRecentEntryAlong) {
    ReplaceRecentFile(book.profile, "", book.root + "/novel.flx");
    ReplaceRecentFile(book.profile, "", book.dir / "other/other.flx");
    book.fs.FinishLabelEdit(root, "長編");
    const std::string new_root = book.dir / "長編";
    EXPECT_TRUE(Exists(new_root + "/長編.flx"));
    EXPECT_TRUE(Exists(new_root + "/a.txt"));
    EXPECT_FALSE(Exists(book.root));
    EXPECT_EQ(book.fs.Tree().m_strRootPath, new_root);
    EXPECT_EQ(book.fs.Tree().m_strBookFileName, "長編.flx");
    EXPECT_EQ(book.fs.Tree().ItemPath(book.Child(root, "a.txt")), new_root + "/a.txt");
    EXPECT_EQ(LoadRecentFiles(book.profile),
              (Names{new_root + "/長編.flx", book.dir / "other/other.flx"}));
}

TEST(RecentFiles, OnlyBookFilesStayAndTheNewestIsFirst) {
    testing::MemoryProfile profile;
    profile.WriteString(kRecentFileSection, "File1", "/b/notes.txt");
    profile.WriteString(kRecentFileSection, "File2", "/b/a.flx");
    profile.WriteString(kRecentFileSection, "File3", "/b/B.FLX");
    ReplaceRecentFile(profile, "", "/b/c.flx");
    EXPECT_EQ(LoadRecentFiles(profile), (Names{"/b/c.flx", "/b/a.flx", "/b/B.FLX"}));
    ReplaceRecentFile(profile, "/b/b.flx", "/b/page.txt");
    EXPECT_EQ(LoadRecentFiles(profile), (Names{"/b/c.flx", "/b/a.flx"}));
    ReplaceRecentFile(profile, "", "/b/A.flx");
    EXPECT_EQ(LoadRecentFiles(profile), (Names{"/b/A.flx", "/b/c.flx"}));
}

TEST(RecentFiles, PathInUseIsAPlainPrefixEitherWay) {
    const Names others = {"/books/novel", ""};
    EXPECT_TRUE(IsPathInUse(others, "/books/novel/第一章"));
    EXPECT_TRUE(IsPathInUse(others, "/books"));
    EXPECT_TRUE(IsPathInUse(others, "/books/novel2"));
    EXPECT_FALSE(IsPathInUse(others, "/other"));
}

}  // namespace
}  // namespace folix
