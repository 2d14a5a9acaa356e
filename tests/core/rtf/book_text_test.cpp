#include "rtf/book_text.h"

#include <gtest/gtest.h>

#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::Cp932;
using testing::ScriptedUi;
using testing::TempFolder;
using testing::WriteBytes;

TEST(BookText, PlainFilesAreDecodedAndRichTextGivesOneLinePerParagraph) {
    TempFolder dir;
    ScriptedUi ui;
    WriteBytes(dir / "sjis.txt", Cp932("一行目\r\n二行目\r\n"));
    WriteBytes(dir / "rich.txt",
               "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}"
               "\\f0 \\'91\\'e6\\'88\\'ea\\'8f\\'cd\\par \\'96\\'7b\\'95\\'b6\\par}");
    std::string text;
    ASSERT_TRUE(ReadBookFileText(ui, dir / "sjis.txt", text));
    EXPECT_EQ(text, "一行目\r\n二行目\r\n");
    ASSERT_TRUE(ReadBookFileText(ui, dir / "rich.txt", text));
    EXPECT_EQ(text.substr(0, 17), "第一章\r\n本文");
    EXPECT_FALSE(ReadBookFileText(ui, dir / "none.txt", text));
    EXPECT_EQ(ui.messages, std::vector<std::string>{dir / "none.txt" + "が開けません。(2)"});
}

}  // namespace
}  // namespace folix
