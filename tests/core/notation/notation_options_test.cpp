#include "notation/notation_options.h"

#include <gtest/gtest.h>

#include "book/control_file.h"
#include "support/control_file_header.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::Exists;
using testing::kControlFileHeader;
using testing::ReadBytes;
using testing::ScriptedUi;
using testing::TempFolder;
using testing::WriteBytes;

struct StoredCase {
    const char* what;
    std::string body;  // after the header; "-" for no file at all
    bool html;
    TextNotation text;
    int digits;
};

TEST(NotationOptions, ReadsEachValueByItsKindAndTakesTheDefaultForAnyOther) {
    const StoredCase cases[] = {
        {"no file", "-", false, TextNotation::kKeep, 2},
        {"empty file", "", false, TextNotation::kKeep, 2},
        {"all set", "true\r\nbase\r\n4\r\n", true, TextNotation::kBase, 4},
        {"three digits", "false\r\nkeep\r\n3\r\n", false, TextNotation::kKeep, 3},
        {"short file", "true\r\n", true, TextNotation::kKeep, 2},
        {"foreign values", "TRUE\r\nBase\r\n5\r\n", false, TextNotation::kKeep, 2},
        {"digit count out of range", "true\r\nbase\r\n1\r\nsurplus\r\n", true, TextNotation::kBase,
         2},
        {"digit count with more", "false\r\nkeep\r\n33\r\n", false, TextNotation::kKeep, 2},
    };
    for (const StoredCase& row : cases) {
        SCOPED_TRACE(row.what);
        TempFolder book;
        ScriptedUi ui;
        if (row.body != "-") {
            WriteBytes(book / "notation.flc", kControlFileHeader + row.body);
        }
        NotationOptions options = LoadNotationOptions(ui, book.path());
        EXPECT_EQ(options.html_notation, row.html);
        EXPECT_EQ(options.text_notation, row.text);
        EXPECT_EQ(options.upright_digits, row.digits);
        EXPECT_TRUE(ui.messages.empty());
        // Reading never makes the file, so a book whose writer set nothing keeps its files.
        EXPECT_EQ(Exists(book / "notation.flc"), row.body != "-");
    }
}

TEST(NotationOptions, SavingWritesThreeLinesAndLeavesAFileNotOursAlone) {
    TempFolder book;
    ScriptedUi ui;
    NotationOptions options;
    options.html_notation = true;
    options.text_notation = TextNotation::kBase;
    options.upright_digits = 3;
    ASSERT_TRUE(SaveNotationOptions(ui, book.path(), options));
    EXPECT_EQ(ReadBytes(book / "notation.flc"), kControlFileHeader + "true\r\nbase\r\n3\r\n");

    WriteBytes(book / "notation.flc", "my own notes");
    NotationOptions loaded = LoadNotationOptions(ui, book.path());
    EXPECT_FALSE(loaded.html_notation);
    EXPECT_FALSE(SaveNotationOptions(ui, book.path(), options));
    EXPECT_EQ(ReadBytes(book / "notation.flc"), "my own notes");
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0], InvalidControlFileMessage(book / "notation.flc"));
}

}  // namespace
}  // namespace folix
