#include "book/book_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "book/file_io.h"
#include "support/control_file_header.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::kControlFileHeader;
using testing::MakeFolder;
using testing::ScriptedUi;
using testing::TempFolder;
using testing::WriteBytes;

TEST(UniqueName, SkipsNamesTakenByFilesOfAnyExtensionAndByFolders) {
    TempFolder dir;
    EXPECT_EQ(UniqueName(dir.path(), "空白"), "空白");
    WriteBytes(dir / "空白.txt", "");
    WriteBytes(dir / "空白2.txt", "");
    EXPECT_EQ(UniqueName(dir.path(), "空白"), "空白3");
    WriteBytes(dir / "空白3.lst", "");
    WriteBytes(dir / "空白4.tar.gz", "");
    EXPECT_EQ(UniqueName(dir.path(), "空白"), "空白5");
    // "空白50.txt" does not take "空白5": only the name followed by a dot does.
    TempFolder other;
    WriteBytes(other / "空白50.txt", "");
    EXPECT_EQ(UniqueName(other.path(), "空白"), "空白");
}

TEST(UniqueName, AFolderOfThatNameTakesIt) {
    TempFolder dir;
    MakeFolder(dir / "空白");
    EXPECT_EQ(UniqueName(dir.path(), "空白"), "空白2");
}

TEST(UniqueName, LetterCaseIsIgnoredAndHundredIsTheLastResort) {
    TempFolder dir;
    WriteBytes(dir / "Page.TXT", "");
    EXPECT_EQ(UniqueName(dir.path(), "page"), "page2");
    WriteBytes(dir / "page.txt", "");
    for (int n = 2; n <= 99; ++n) {
        WriteBytes(dir / ("page" + std::to_string(n) + ".txt"), "");
    }
    EXPECT_EQ(UniqueName(dir.path(), "page"), "page100");
}

TEST(CreateBlankTextFile, MakesTheNextFreeEmptyPage) {
    TempFolder dir;
    ScriptedUi ui;
    EXPECT_EQ(CreateBlankTextFile(ui, dir.path()), dir / "空白.txt");
    EXPECT_EQ(CreateBlankTextFile(ui, dir.path()), dir / "空白2.txt");
    EXPECT_EQ(testing::ReadBytes(dir / "空白2.txt"), "");
    EXPECT_EQ(CreateBlankTextFile(ui, dir / "missing"), "");
    ASSERT_EQ(ui.notices.size(), 1u);
    EXPECT_FALSE(ui.notices[0].empty());
}

TEST(IsRtfFile, OnlyTheExactLowerCaseSignatureIsRichText) {
    TempFolder dir;
    ScriptedUi ui;
    WriteBytes(dir / "a.txt", "{\\rtf1\\ansi hello}");
    WriteBytes(dir / "b.txt", "{\\RTF1 hello}");
    WriteBytes(dir / "c.txt", "");
    WriteBytes(dir / "d.txt", "{\\rt");
    EXPECT_EQ(IsRtfFile(ui, dir / "a.txt"), RtfCheck::kRtf);
    EXPECT_EQ(IsRtfFile(ui, dir / "b.txt"), RtfCheck::kPlain);
    EXPECT_EQ(IsRtfFile(ui, dir / "c.txt"), RtfCheck::kPlain);
    EXPECT_EQ(IsRtfFile(ui, dir / "d.txt"), RtfCheck::kPlain);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(IsRtfFile(ui, dir / "none.txt"), RtfCheck::kCannotOpen);
    EXPECT_EQ(ui.messages, std::vector<std::string>{dir / "none.txt" + "が開けません。(2)"});
}

TEST(HasVisibleChildren, CountsTextFilesAndUndottedFoldersOnly) {
    TempFolder dir;
    MakeFolder(dir / "lists");
    WriteBytes(dir / "lists/a.lst", "");
    MakeFolder(dir / "lists/.hidden");
    EXPECT_FALSE(HasVisibleChildren(dir / "lists"));
    WriteBytes(dir / "lists/b.TXT", "");
    EXPECT_TRUE(HasVisibleChildren(dir / "lists"));
    MakeFolder(dir / "chapter/section");
    EXPECT_TRUE(HasVisibleChildren(dir / "chapter"));
    EXPECT_FALSE(HasVisibleChildren(dir / "missing"));

    // A wide folder is looked through until the one visible child, wherever the system lists
    // it, and a folder of nothing visible to its end.
    MakeFolder(dir / "wide");
    for (int i = 0; i < 3000; ++i) {
        WriteBytes(dir / ("wide/" + std::to_string(i) + ".lst"), "");
    }
    MakeFolder(dir / "wide/.dotted");
    EXPECT_FALSE(HasVisibleChildren(dir / "wide"));
    std::vector<FolderEntry> listing;
    ASSERT_EQ(ListFolder(dir / "wide", listing), 0);
    EXPECT_FALSE(HasVisibleChildren(listing));
    WriteBytes(dir / "wide/1500.txt", "");
    EXPECT_TRUE(HasVisibleChildren(dir / "wide"));
    ASSERT_EQ(ListFolder(dir / "wide", listing), 0);
    EXPECT_TRUE(HasVisibleChildren(listing));
}

TEST(HoldsOnlyBookFiles, TextFilesValidContentsAndDottedFoldersPass) {
    TempFolder dir;
    ScriptedUi ui;
    WriteBytes(dir / "a.txt", "text");
    WriteBytes(dir / "contents.flc", kControlFileHeader);
    MakeFolder(dir / "sub");
    WriteBytes(dir / "sub/CONTENTS.FLC", "");
    MakeFolder(dir / ".git");
    WriteBytes(dir / ".git/config", "anything");
    EXPECT_TRUE(HoldsOnlyBookFiles(ui, dir.path()));

    WriteBytes(dir / "sub/picture.png", "\x89PNG");
    EXPECT_FALSE(HoldsOnlyBookFiles(ui, dir.path()));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(HoldsOnlyBookFiles, ForeignOrShortContentsFileFails) {
    TempFolder dir;
    ScriptedUi ui;
    WriteBytes(dir / "contents.flc", "Folix control file.");
    EXPECT_FALSE(HoldsOnlyBookFiles(ui, dir.path()));
    EXPECT_TRUE(HoldsOnlyBookFiles(ui, dir / "missing"));
}

TEST(HoldsOnlyBookFiles, DeepTreeIsWalkedWithoutExhaustingTheStack) {
    TempFolder dir;
    ScriptedUi ui;
    std::string path = dir.path();
    for (int depth = 0; depth < 200; ++depth) {
        path += "/d";
    }
    MakeFolder(path);
    WriteBytes(path + "/x.jpg", "");
    EXPECT_FALSE(HoldsOnlyBookFiles(ui, dir.path()));
}

}  // namespace
}  // namespace folix
