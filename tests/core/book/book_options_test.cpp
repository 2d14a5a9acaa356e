#include "book/book_options.h"

#include <gtest/gtest.h>

#include "support/control_file_header.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::kControlFileHeader;
using testing::ReadBytes;
using testing::ScriptedUi;
using testing::TempFolder;
using testing::WriteBytes;

TEST(BookOptions, MissingFileGivesDefaultsAndIsThenWrittenWithElevenLines) {
    TempFolder book;
    ScriptedUi ui;
    BookOptions options = LoadBookOptions(ui, book.path());
    EXPECT_EQ(options.m_nTreeWidth, 100);
    EXPECT_EQ(options.m_strTextExt, "txt");
    EXPECT_FALSE(options.m_bVertical);
    EXPECT_EQ(ReadBytes(book / "options.flc"), "");

    options.m_bVertical = true;
    options.m_strHeadPrefix = "■";
    ASSERT_TRUE(SaveBookOptions(ui, book.path(), options));
    EXPECT_EQ(ReadBytes(book / "options.flc"),
              kControlFileHeader +
                  "100\r\nfalse\r\ntxt\r\n■\r\nfalse\r\n\r\nfalse\r\nfalse\r\nfalse\r\nfalse\r\n"
                  "true\r\n");
    EXPECT_TRUE(ui.messages.empty());
}

TEST(BookOptions, ShortFileFillsTheRestWithEmptyLines) {
    TempFolder book;
    ScriptedUi ui;
    WriteBytes(book / "options.flc", kControlFileHeader + "50\r\n");
    BookOptions options = LoadBookOptions(ui, book.path());
    EXPECT_EQ(options.m_nTreeWidth, 100);
    // A missing line reads as an empty string: the TEXT extension is then empty, not "txt".
    EXPECT_EQ(options.m_strTextExt, "");
    EXPECT_FALSE(options.m_bMultiFolder);
}

TEST(BookOptions, ValuesAreDecodedByTheirKind) {
    TempFolder book;
    ScriptedUi ui;
    WriteBytes(book / "options.flc",
               kControlFileHeader +
                   "  250px\r\nTrue\r\ndoc\r\n◆\r\ntrue\r\n/tmp/a.doc\r\ntrue\r\nfalse\r\n"
                   "true\r\nx\r\ntrue\r\nsurplus\r\n");
    BookOptions options = LoadBookOptions(ui, book.path());
    EXPECT_EQ(options.m_nTreeWidth, 250);
    EXPECT_FALSE(options.m_bMultiFolder);  // only "true" exactly is true
    EXPECT_EQ(options.m_strTextExt, "doc");
    EXPECT_EQ(options.m_strHeadPrefix, "◆");
    EXPECT_TRUE(options.m_bAllowText);
    EXPECT_EQ(options.m_strLastTextPath, "/tmp/a.doc");
    EXPECT_TRUE(options.m_bFindCase);
    EXPECT_TRUE(options.m_bFindName);
    EXPECT_FALSE(options.m_bFindKeep);
    EXPECT_TRUE(options.m_bVertical);

    WriteBytes(book / "options.flc", kControlFileHeader + "wide\r\n");
    EXPECT_EQ(LoadBookOptions(ui, book.path()).m_nTreeWidth, 100);
}

TEST(BookOptions, InvalidFileGivesDefaultsAndIsNeverOverwritten) {
    TempFolder book;
    ScriptedUi ui;
    const std::string bytes = "my own notes\r\n300\r\n";
    WriteBytes(book / "options.flc", bytes);
    BookOptions options = LoadBookOptions(ui, book.path());
    EXPECT_EQ(options.m_nTreeWidth, 100);
    EXPECT_FALSE(SaveBookOptions(ui, book.path(), options));
    EXPECT_EQ(ReadBytes(book / "options.flc"), bytes);
    EXPECT_EQ(ui.messages.size(), 2u);
}

}  // namespace
}  // namespace folix
