#include "book/new_book.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::Exists;
using testing::MakeFolder;
using testing::ReadBytes;
using testing::ScriptedUi;
using testing::TempFolder;
using testing::WriteBytes;

size_t CountEntries(const std::string& folder) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                             std::filesystem::directory_iterator()));
}

TEST(NewBook, MakesFolderFirstPageAndEmptyBookFile) {
    TempFolder dir;
    ScriptedUi ui;
    MakeFolder(dir / "books");
    EXPECT_EQ(CreateNewBook(ui, dir / "books/novel.flx"), dir / "books/novel/novel.flx");
    EXPECT_EQ(ReadBytes(dir / "books/novel/novel.flx"), "");
    EXPECT_EQ(ReadBytes(dir / "books/novel/空白.txt"), "");
    EXPECT_EQ(CountEntries(dir / "books/novel"), 2u);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.notices.empty());
}

TEST(NewBook, ExtensionMustBeLowerCaseFlx) {
    TempFolder dir;
    for (const char* name : {"novel.FLX", "novel.Flx", "novel", "novel.txt"}) {
        ScriptedUi ui;
        EXPECT_EQ(CreateNewBook(ui, dir / name), "");
        EXPECT_EQ(ui.messages, std::vector<std::string>{"ファイル名拡張子が無効です。"});
    }
    EXPECT_EQ(CountEntries(dir.path()), 0u);
}

TEST(NewBook, ExistingFolderIsReportedAndLeftAsItWas) {
    TempFolder dir;
    ScriptedUi ui;
    MakeFolder(dir / "novel");
    WriteBytes(dir / "novel/原稿.txt", "大事な原稿");
    EXPECT_EQ(CreateNewBook(ui, dir / "novel.flx"), "");
    ASSERT_EQ(ui.notices.size(), 1u);
    EXPECT_FALSE(ui.notices[0].empty());
    EXPECT_EQ(CountEntries(dir / "novel"), 1u);
    EXPECT_EQ(ReadBytes(dir / "novel/原稿.txt"), "大事な原稿");
}

TEST(NewBook, MissingParentFolderIsReported) {
    TempFolder dir;
    ScriptedUi ui;
    EXPECT_EQ(CreateNewBook(ui, dir / "no/such/novel.flx"), "");
    EXPECT_EQ(ui.notices.size(), 1u);
    EXPECT_FALSE(Exists(dir / "no"));
}

}  // namespace
}  // namespace folix
