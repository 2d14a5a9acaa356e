#include "editing/font_settings.h"

#include <gtest/gtest.h>

#include "model/memory_editor_control.h"
#include "support/book_fixture.h"
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

std::string Lines(const std::vector<std::string>& lines) {
    std::string text = kControlFileHeader;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

const std::vector<std::string> kChosen = {
    "-21", "3", "0",   "0",  "700", "1", "1", "1", "128", "3", "2", "1", "49", "Noto Serif CJK JP",
    "255", "0", "200", "15", "30"};

TEST(FontSettings, MissingFileGivesTheDefaultsAndTheFileThenHoldsNineteenLines) {
    TempFolder book;
    ScriptedUi ui;
    FontSettings font;
    EXPECT_FALSE(font.HasFont());
    font.LoadFont(ui, book.path());
    EXPECT_EQ(ReadBytes(book / "font.flc"), "");  // created empty by the read
    EXPECT_EQ(font.m_logFont.lfHeight, -20);
    EXPECT_EQ(font.m_logFont.lfFaceName, "ＭＳ Ｐゴシック");
    EXPECT_EQ(font.m_crTextColor, 0u);
    EXPECT_EQ(font.MarginsTwips(), (PrintMargins{1134, 1134, 1134, 1134}));
    EXPECT_EQ(font.CharFormat().size_twips, 200);
    EXPECT_EQ(font.CharFormat().weight, 400);

    ASSERT_TRUE(font.SaveFont(ui, book.path()));
    EXPECT_EQ(ReadBytes(book / "font.flc"),
              Lines({"-20", "0", "0", "0", "400", "0", "0", "0", "128", "0", "0", "0", "0",
                     "ＭＳ Ｐゴシック", "0", "20", "20", "20", "20"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(FontSettings, EveryLineRoundTrips) {
    TempFolder book;
    ScriptedUi ui;
    WriteBytes(book / "font.flc", Lines(kChosen));
    FontSettings font;
    font.LoadFont(ui, book.path());
    EXPECT_EQ(font.m_logFont.lfHeight, -21);
    EXPECT_EQ(font.m_logFont.lfWidth, 3);
    EXPECT_EQ(font.m_logFont.lfWeight, 700);
    EXPECT_EQ(font.m_logFont.lfItalic, 1);
    EXPECT_EQ(font.m_logFont.lfPitchAndFamily, 49);
    EXPECT_EQ(font.m_logFont.lfFaceName, "Noto Serif CJK JP");
    EXPECT_EQ(font.m_crTextColor, 255u);
    EXPECT_EQ(font.m_nMarginRight, 200);
    EXPECT_EQ(font.m_nMarginBottom, 30);

    // Written back after a change of its own: the other eighteen lines stay as they were read.
    font.m_nMarginLeft = 5;
    ASSERT_TRUE(font.SaveFont(ui, book.path()));
    std::vector<std::string> expected = kChosen;
    expected[15] = "5";
    EXPECT_EQ(ReadBytes(book / "font.flc"), Lines(expected));
}

TEST(FontSettings, FirstLineOfZeroDropsTheWholeFileMarginsIncluded) {
    for (const std::string first : {"0", "", "abc"}) {
        TempFolder book;
        ScriptedUi ui;
        std::vector<std::string> lines = kChosen;
        lines[0] = first;
        WriteBytes(book / "font.flc", Lines(lines));
        FontSettings font;
        font.LoadFont(ui, book.path());
        EXPECT_EQ(font.m_logFont.lfHeight, -20) << first;
        EXPECT_EQ(font.m_logFont.lfFaceName, "ＭＳ Ｐゴシック");
        EXPECT_EQ(font.m_nMarginRight, 20);
        EXPECT_EQ(font.m_crTextColor, 0u);
    }
}

TEST(FontSettings, ShortFileAndLongFaceName) {
    TempFolder book;
    ScriptedUi ui;
    // 35 characters of face name, and nothing after it: the missing lines read 0.
    WriteBytes(book / "font.flc",
               Lines({"-24", "", "", "", "400", "", "", "", "", "", "", "", "",
                      "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめも"}));
    FontSettings font;
    font.LoadFont(ui, book.path());
    EXPECT_EQ(font.m_logFont.lfFaceName,
              "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほま");
    EXPECT_EQ(font.m_nMarginTop, 0);
    EXPECT_EQ(font.MarginsTwips(), (PrintMargins{0, 0, 0, 0}));
}

TEST(FontSettings, DamagedFileKeepsTheDefaultsAndIsNeverOverwritten) {
    TempFolder book;
    ScriptedUi ui;
    WriteBytes(book / "font.flc", "not ours\r\n-30\r\n");
    FontSettings font;
    font.LoadFont(ui, book.path());
    EXPECT_EQ(font.m_logFont.lfHeight, -20);
    EXPECT_EQ(ui.messages.size(), 1u);
    font.m_nMarginLeft = 3;
    EXPECT_FALSE(font.SaveFont(ui, book.path()));
    EXPECT_EQ(ReadBytes(book / "font.flc"), "not ours\r\n-30\r\n");
}

TEST(FontSettings, ApplyPutsTheFontAndTheMarginsInTwipsIntoTheEditor) {
    TempFolder book;
    ScriptedUi ui;
    WriteBytes(book / "font.flc", Lines(kChosen));
    FontSettings font;
    MemoryEditorControl editor;
    const PrintMargins half_inch{720, 720, 720, 720};
    editor.SetPrintMargins(half_inch);

    font.ApplyFont(editor);  // no font loaded yet: the editor keeps its own, margins too
    EXPECT_EQ(editor.GetDefaultCharFormat(), EditorCharFormat{});
    EXPECT_EQ(editor.GetPrintMargins(), half_inch);

    font.LoadFont(ui, book.path());
    font.ApplyFont(editor);
    const EditorCharFormat format = editor.GetDefaultCharFormat();
    EXPECT_EQ(format.face, "Noto Serif CJK JP");
    EXPECT_EQ(format.size_twips, 210);
    EXPECT_EQ(format.weight, 700);
    EXPECT_TRUE(format.italic);
    EXPECT_FALSE(format.underline);  // kept in the file, not shown
    EXPECT_FALSE(format.strike_out);
    EXPECT_EQ(format.color, 255u);
    EXPECT_EQ(editor.GetPrintMargins(), (PrintMargins{0, 850, 11340, 1701}));

    font.m_logFont.lfWeight = 600;  // only 700 exactly is bold
    font.m_logFont.lfHeight = 20;   // a positive height gives the same size
    EXPECT_EQ(font.CharFormat().weight, 400);
    EXPECT_EQ(font.CharFormat().size_twips, 200);
}

TEST(FontSettings, ChooserSizesMapBackThroughTheTwipsRule) {
    EXPECT_EQ(HeightForPoints(10), -20);
    EXPECT_EQ(HeightForPoints(10.5), -21);
    EXPECT_EQ(HeightForPoints(72), -144);
    EXPECT_EQ(MillimetresToTwips(20), 1134);
    EXPECT_EQ(MillimetresToTwips(1), 56);
    EXPECT_EQ(MillimetresToTwips(2000000000), 2147483647);  // a hand-edited absurdity, clamped
}

TEST(FontSettings, MarginFieldsTakeWholeNumbersFromZeroToTwoHundred) {
    int value = -1;
    EXPECT_EQ(ParseMarginEntry("0", value), MarginEntry::kValid);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(ParseMarginEntry(" 200 ", value), MarginEntry::kValid);
    EXPECT_EQ(value, 200);
    value = 7;
    EXPECT_EQ(ParseMarginEntry("201", value), MarginEntry::kOutOfRange);
    EXPECT_EQ(ParseMarginEntry("-1", value), MarginEntry::kOutOfRange);
    EXPECT_EQ(ParseMarginEntry("99999999999999999999", value), MarginEntry::kOutOfRange);
    EXPECT_EQ(ParseMarginEntry("", value), MarginEntry::kNotInteger);
    EXPECT_EQ(ParseMarginEntry("1.5", value), MarginEntry::kNotInteger);
    EXPECT_EQ(ParseMarginEntry("20mm", value), MarginEntry::kNotInteger);
    EXPECT_EQ(ParseMarginEntry("-", value), MarginEntry::kNotInteger);
    EXPECT_EQ(value, 7);  // a refused entry leaves the value alone
    EXPECT_EQ(MarginRangeMessage(), "0 から 200 までの整数を入力してください。");
}

TEST(FontSettings, LoadingTheBookOptionsLoadsTheFontFirst) {
    testing::BookFixture book;
    book.Attach();
    testing::WriteBytes(book.root + "/font.flc", Lines(kChosen));
    MemoryEditorControl editor;
    book.fs.SetEditor(&editor);
    book.fs.ApplyFont();
    EXPECT_EQ(editor.GetDefaultCharFormat(), EditorCharFormat{});
    book.fs.LoadOptions();
    book.fs.ApplyFont();
    EXPECT_EQ(editor.GetDefaultCharFormat().face, "Noto Serif CJK JP");
    EXPECT_TRUE(testing::Exists(book.root + "/options.flc"));
}

}  // namespace
}  // namespace folix
