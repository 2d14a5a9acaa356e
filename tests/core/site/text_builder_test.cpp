#include "site/text_builder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/control_file_header.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::Cp932;
using testing::Exists;
using testing::kControlFileHeader;
using testing::MakeFolder;
using testing::ReadBytes;
using testing::ScriptedUi;
using testing::TempFolder;
using testing::WriteBytes;

// B holding a.txt (x, y) and then the folder F holding b.txt (z); lists and templates beside.
SiteBook MakeBook(const TempFolder& dir) {
    const std::string root = dir / "B";
    MakeFolder(root + "/F");
    WriteBytes(root + "/a.txt", "x\r\ny");
    WriteBytes(root + "/F/b.txt", Cp932("z\r\n"));
    WriteBytes(root + "/F/empty.txt", "");
    WriteBytes(root + "/menu.lst", "not text\r\n");
    WriteBytes(root + "/header.htx", "not text\r\n");
    return SiteBook{root, dir.path()};
}

BookOptions Allowed() {
    BookOptions options;
    options.m_bAllowText = true;
    return options;
}

TEST(TextBuilder, TitlesWithThePrefixThenEveryFileInTreeOrder) {
    TempFolder dir;
    SiteBook book = MakeBook(dir);
    BookOptions options = Allowed();
    options.m_strHeadPrefix = "■";
    options.m_strTextExt = "md";
    ScriptedUi ui;
    TextBuilder builder(ui, book);
    bool reset = false;
    EXPECT_EQ(builder.MakeText(options, [&] { reset = true; }), BuildOutcome::kWritten);
    EXPECT_TRUE(reset);
    EXPECT_EQ(builder.written(), dir / "B.md");
    // An empty file keeps its title but adds no lines; a final CR LF adds no empty line.
    EXPECT_EQ(ReadBytes(dir / "B.md"),
              "■B\r\n\r\n■a\r\n\r\nx\r\ny\r\n\r\n■F\r\n\r\n■b\r\n\r\nz\r\n\r\n■empty\r\n\r\n");
    EXPECT_EQ(options.m_strLastTextPath, dir / "B.md");
    // The options were saved with the path, so a later build asks nothing.
    ScriptedUi load_ui;
    EXPECT_EQ(LoadBookOptions(load_ui, book.root_path).m_strLastTextPath, dir / "B.md");
    EXPECT_EQ(builder.MakeText(options), BuildOutcome::kWritten);
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_TRUE(ui.messages.empty());
}

// Whatever ends a line in the book (CR LF, LF or a lone CR), the TEXT file ends it with CR LF.
TEST(TextBuilder, WritesTheNotationAsTypedOrItsBaseTextAsTheBookAsks) {
    const std::string typed =
        "｜彼《かれ》は《《必ず》》東京《とうきょう》へ\r\n｜《注》\nend\rlast\n";
    const std::string typed_crlf =
        "｜彼《かれ》は《《必ず》》東京《とうきょう》へ\r\n｜《注》\r\nend\r\nlast\r\n";
    struct Row {
        const char* what;
        std::string notation_file;  // after the header; empty for no file
        std::string text;           // what the file's text becomes
    };
    const Row rows[] = {
        {"no settings", "", typed_crlf},
        {"keep", "false\r\nkeep\r\n2\r\n", typed_crlf},
        {"base", "true\r\nbase\r\n2\r\n", "彼は必ず東京へ\r\n《注》\r\nend\r\nlast\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempFolder dir;
        const std::string root = dir / "B";
        MakeFolder(root);
        WriteBytes(root + "/a.txt", typed);
        if (!row.notation_file.empty()) {
            WriteBytes(root + "/notation.flc", kControlFileHeader + row.notation_file);
        }
        BookOptions options = Allowed();
        ScriptedUi ui;
        TextBuilder builder(ui, SiteBook{root, dir.path()});
        EXPECT_EQ(builder.MakeText(options), BuildOutcome::kWritten);
        EXPECT_EQ(ReadBytes(dir / "B.txt"), "B\r\n\r\na\r\n\r\n" + row.text + "\r\n");
        EXPECT_EQ(ReadBytes(root + "/a.txt"), typed);
        EXPECT_EQ(Exists(root + "/notation.flc"), !row.notation_file.empty());
    }
}

TEST(TextBuilder, RefusedUnlessAllowed) {
    TempFolder dir;
    SiteBook book = MakeBook(dir);
    BookOptions options;
    ScriptedUi ui;
    TextBuilder builder(ui, book);
    bool reset = false;
    EXPECT_EQ(builder.MakeText(options, [&] { reset = true; }), BuildOutcome::kRefused);
    EXPECT_FALSE(reset);
    EXPECT_EQ(ui.waits, 0);
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{"この文書のＴＥＸＴ作成は許可されていません。"});
    EXPECT_FALSE(Exists(dir / "B.txt"));
}

TEST(TextBuilder, AnotherFileOfThatNameIsReplacedOnlyOnYes) {
    TempFolder dir;
    SiteBook book = MakeBook(dir);
    BookOptions options = Allowed();
    WriteBytes(dir / "B.txt", "my notes");
    ScriptedUi ui;
    ui.ExpectQuestion(false);
    TextBuilder builder(ui, book);
    EXPECT_EQ(builder.MakeText(options), BuildOutcome::kWritten);
    EXPECT_EQ(ui.questions,
              std::vector<std::string>{dir / "B.txt" + "はすでに存在します。上書きしますか？"});
    EXPECT_EQ(builder.text_path(), "");
    EXPECT_EQ(builder.written(), "");
    EXPECT_EQ(ReadBytes(dir / "B.txt"), "my notes");
    EXPECT_EQ(options.m_strLastTextPath, "");
    // The book written while the question waited is gone with the No.
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_EQ(entry.path().filename().string().find(".folix-"), std::string::npos);
    }

    ui.ExpectQuestion(true);
    EXPECT_EQ(builder.MakeText(options), BuildOutcome::kWritten);
    EXPECT_EQ(ReadBytes(dir / "B.txt").substr(0, 5), "B\r\n\r\n");
}

TEST(TextBuilder, AFileThatCannotBeWrittenKeepsTheOptions) {
    TempFolder dir;
    SiteBook book = MakeBook(dir);
    MakeFolder(dir / "B.txt");
    BookOptions options = Allowed();
    options.m_strLastTextPath = dir / "B.txt";
    ScriptedUi ui;
    TextBuilder builder(ui, book);
    EXPECT_EQ(builder.MakeText(options), BuildOutcome::kIncomplete);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].rfind(dir / "B.txt" + "が開けません。(", 0), 0u);
    EXPECT_FALSE(Exists(book.root_path + "/options.flc"));
}

TEST(TextOptions, AnEmptyExtensionIsTxt) {
    BookOptions options;
    ScriptedUi ui;
    EXPECT_TRUE(SetTextOptions(ui, options, "", "＊", true));
    EXPECT_EQ(options.m_strTextExt, "txt");
    EXPECT_EQ(options.m_strHeadPrefix, "＊");
    EXPECT_TRUE(options.m_bAllowText);
    EXPECT_TRUE(SetTextOptions(ui, options, "md", "", false));
    EXPECT_EQ(options.m_strTextExt, "md");
    EXPECT_FALSE(options.m_bAllowText);
    EXPECT_TRUE(ui.messages.empty());
}

// The TEXT file is one file beside the book folder: an extension holding a folder, "..", or a
// control character is refused, typed or read from a received book, and never built with.
TEST(TextOptions, AnExtensionLeadingElsewhereIsRefused) {
    TempFolder dir;
    SiteBook book = MakeBook(dir);
    for (const std::string extension : {"txt/../../x.txt", "/x", "..", ".txt", "t\x1bx"}) {
        SCOPED_TRACE(extension);
        ScriptedUi ui;
        BookOptions options;
        options.m_strTextExt = "md";
        EXPECT_FALSE(SetTextOptions(ui, options, extension, "＊", true));
        EXPECT_EQ(options.m_strTextExt, "md");
        EXPECT_EQ(options.m_strHeadPrefix, "＊");
        EXPECT_EQ(ui.messages, std::vector<std::string>{extension + "は不正です。"});

        WriteBytes(book.root_path + "/options.flc",
                   kControlFileHeader + "100\r\nfalse\r\n" + extension + "\r\n\r\ntrue\r\n");
        options = LoadBookOptions(ui, book.root_path);
        EXPECT_EQ(options.m_strTextExt, "txt");
        EXPECT_EQ(ui.messages.back(), extension + "は不正です。");

        options.m_strTextExt = extension;
        options.m_bAllowText = true;
        TextBuilder builder(ui, book);
        EXPECT_EQ(builder.MakeText(options), BuildOutcome::kRefused);
        EXPECT_EQ(ui.messages.back(), extension + "は不正です。");
    }
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_EQ(entry.path().filename(), "B");  // nothing written beside the book
    }
}

}  // namespace
}  // namespace folix
