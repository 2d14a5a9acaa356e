#include "site/html_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>
#include <utility>
#include <vector>

#include "book/file_faults.h"
#include "book/path_parts.h"
#include "book/text_encoding.h"
#include "site/text_builder.h"
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

const BuildDate kMay3rd2004{2004, 5, 3};

std::string Fixture(const std::string& name) {
    return ReadBytes(std::string(FOLIX_SOURCE_DIR) + "/tests/core/site/fixtures/" + name);
}

std::string Bom(const std::string& text) {
    return std::string(kUtf8Bom) + text;
}

// The text with its CR LF line ends replaced by the ends given, taken in turn.
std::string Relined(const std::string& text, const std::vector<std::string>& ends) {
    std::string out;
    size_t turn = 0;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find("\r\n", start);
        out += text.substr(start, end - start);
        if (end == std::string::npos) {
            break;
        }
        out += ends[turn++ % ends.size()];
        start = end + 2;
    }
    return out;
}

// The book of the expected outputs: はじめに.txt, then 第一章 with 朝.txt and the folder 二節
// holding 夜.txt. A template, a list and a page beside them never enter the site. Its text
// files end their lines with the ends given.
SiteBook MakeSmallBook(const TempFolder& dir, const std::vector<std::string>& ends = {"\r\n"}) {
    const std::string root = dir / "本";
    MakeFolder(root + "/第一章/二節");
    WriteBytes(root + "/はじめに.txt", Relined("最初の行\r\n<B>太字</B>\r\n\r\n", ends));
    WriteBytes(root + "/第一章/朝.txt", "朝です。");
    WriteBytes(root + "/第一章/二節/夜.txt", Cp932(Relined("夜。\r\n", ends)));
    WriteBytes(root + "/第一章/notes.lst", "x\r\n");
    WriteBytes(root + "/第一章/old.htm", "x\r\n");
    MakeFolder(root + "/.hidden");
    WriteBytes(root + "/.hidden/secret.txt", "x\r\n");
    WriteBytes(root + "/本.flx", "");
    return SiteBook{root, dir.path()};
}

HtmlOptions IndexOptions() {
    HtmlOptions options;
    options.html_file_name = "index.htm";
    return options;
}

struct GoldenCase {
    const char* name;
    void (*configure)(HtmlOptions&);
    std::vector<std::pair<std::string, std::string>> files;  // output, fixture, in write order
};

class SiteModes : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(SiteModes, WriteTheExpectedFilesByteForByte) {
    TempFolder dir;
    SiteBook book = MakeSmallBook(dir);
    HtmlOptions options = IndexOptions();
    GetParam().configure(options);
    ScriptedUi ui;
    HtmlBuilder builder(ui, book);
    builder.SetDate(kMay3rd2004);

    EXPECT_EQ(builder.MakeHtml(options), BuildOutcome::kWritten);

    std::vector<std::string> expected_written;
    for (const auto& [output, fixture] : GetParam().files) {
        expected_written.push_back(dir / output);
        EXPECT_EQ(ReadBytes(dir / output), Fixture(fixture)) << output;
    }
    EXPECT_EQ(builder.written(), expected_written);
    EXPECT_EQ(builder.paths().main_page, dir / "index.htm");
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0];

    // Built again over its own output, its templates in place now, the walk writes the text
    // page in the page's own temporary file: the same bytes, and nothing left beside them.
    HtmlBuilder again(ui, book);
    again.SetDate(kMay3rd2004);
    EXPECT_EQ(again.MakeHtml(options), BuildOutcome::kWritten);
    for (const auto& [output, fixture] : GetParam().files) {
        EXPECT_EQ(ReadBytes(dir / output), Fixture(fixture)) << output << ", built again";
    }
    EXPECT_EQ(again.written(), expected_written);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_EQ(entry.path().string().find(".folix-"), std::string::npos) << entry.path();
    }
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0];

    // A book written elsewhere, its lines ended by LF, by a lone CR or by all three in turn,
    // builds the same site.
    const std::vector<std::vector<std::string>> other_ends = {{"\n"}, {"\r"}, {"\n", "\r", "\r\n"}};
    for (const std::vector<std::string>& ends : other_ends) {
        SCOPED_TRACE(::testing::PrintToString(ends));
        TempFolder elsewhere;
        HtmlBuilder relined(ui, MakeSmallBook(elsewhere, ends));
        relined.SetDate(kMay3rd2004);
        EXPECT_EQ(relined.MakeHtml(options), BuildOutcome::kWritten);
        for (const auto& [output, fixture] : GetParam().files) {
            EXPECT_EQ(ReadBytes(elsewhere / output), Fixture(fixture)) << output;
        }
    }
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0];
}

INSTANTIATE_TEST_SUITE_P(
    Golden, SiteModes,
    ::testing::Values(GoldenCase{"FrameWithStrips",
                                 [](HtmlOptions& o) { o.top_bottom = true; },
                                 {{"index2_.htm", "a_contents.htm"},
                                  {"index2_.css", "contents_style.css"},
                                  {"index3_.htm", "a_text.htm"},
                                  {"index4_.htm", "columns.htm"},
                                  {"index5_.htm", "strip.htm"},
                                  {"index6_.htm", "strip.htm"},
                                  {"index.htm", "a_rows.htm"},
                                  {"index.css", "page_style.css"}}},
                      GoldenCase{"VerticalFrame",
                                 [](HtmlOptions& o) { o.m_bVertical = true; },
                                 {{"index2_.htm", "b_contents.htm"},
                                  {"index2_.css", "b_contents_style.css"},
                                  {"index3_.htm", "b_text.htm"},
                                  {"index.htm", "b_columns.htm"},
                                  {"index.css", "b_page_style.css"}}},
                      GoldenCase{"StripsWithoutFrame",
                                 [](HtmlOptions& o) {
                                     o.frame = false;
                                     o.top_bottom = true;
                                     o.contents_of_contents = false;
                                     o.japanese_date = false;
                                     o.date_right = false;
                                 },
                                 {{"index3_.htm", "c_text.htm"},
                                  {"index5_.htm", "strip.htm"},
                                  {"index6_.htm", "strip.htm"},
                                  {"index.htm", "c_rows2.htm"},
                                  {"index.css", "page_style.css"}}},
                      GoldenCase{"OnePage",
                                 [](HtmlOptions& o) {
                                     o.frame = false;
                                     o.indent_contents = false;
                                     o.show_date = false;
                                 },
                                 {{"index.htm", "d_main.htm"}, {"index.css", "page_style.css"}}},
                      GoldenCase{"FrameWithOneNestedList",
                                 [](HtmlOptions& o) {
                                     o.contents_of_contents = false;
                                     o.m_bLevel1Heading = false;
                                 },
                                 {{"index2_.htm", "e_contents.htm"},
                                  {"index2_.css", "contents_style.css"},
                                  {"index3_.htm", "a_text.htm"},
                                  {"index.htm", "columns.htm"},
                                  {"index.css", "page_style.css"}}}),
    [](const ::testing::TestParamInfo<GoldenCase>& param) { return param.param.name; });

TEST(HtmlBuilder, NonameIsRefusedInAnyCaseAndNothingIsWritten) {
    TempFolder dir;
    SiteBook book = MakeSmallBook(dir);
    for (const char* name : {"noname.htm", "NoName.HTM"}) {
        ScriptedUi ui;
        HtmlOptions options;
        options.html_file_name = name;
        HtmlBuilder builder(ui, book);
        bool reset = false;
        EXPECT_EQ(builder.MakeHtml(options, [&] { reset = true; }), BuildOutcome::kRefused);
        EXPECT_TRUE(reset);  // the tree is reset before the name is looked at
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0], std::string(name) +
                                      "ではHTMLを作成できません。HTMLオプションボタンを押して、"
                                      "正しいファイル名を指定してやり直してください。");
    }
    EXPECT_FALSE(Exists(dir / "noname.htm"));
    EXPECT_FALSE(Exists(book.root_path + "/header.htx"));
    EXPECT_FALSE(Exists(book.root_path + "/html_options.flc"));
}

TEST(HtmlBuilder, AsksOnlyForFilesThisBookDidNotWriteLastTime) {
    TempFolder dir;
    SiteBook book = MakeSmallBook(dir);
    HtmlOptions options = IndexOptions();
    options.frame = false;
    WriteBytes(dir / "index.htm", "someone else's page");
    {
        ScriptedUi ui;
        ui.ExpectQuestion(true);
        HtmlBuilder builder(ui, book);
        EXPECT_EQ(builder.MakeHtml(options), BuildOutcome::kWritten);
        EXPECT_EQ(ui.questions, std::vector<std::string>{dir / "index.htm" +
                                                         "はすでに存在します。上書きしますか？"});
    }
    EXPECT_EQ(options.last_written.main_page, dir / "index.htm");
    EXPECT_EQ(options.last_written.page_style, dir / "index.css");
    // The paths are kept in the book's options, so the next build asks nothing.
    ScriptedUi load_ui;
    HtmlOptions reloaded = LoadHtmlOptions(load_ui, book.root_path);
    EXPECT_EQ(reloaded.last_written.main_page, dir / "index.htm");
    {
        ScriptedUi ui;
        HtmlBuilder builder(ui, book);
        EXPECT_EQ(builder.MakeHtml(reloaded), BuildOutcome::kWritten);
        EXPECT_TRUE(ui.questions.empty());
    }
    // A new name makes every file a stranger again.
    WriteBytes(dir / "top.htm", "x");
    WriteBytes(dir / "top.css", "x");
    reloaded.html_file_name = "top.htm";
    {
        ScriptedUi ui;
        ui.ExpectQuestion(false);
        ui.ExpectQuestion(false);
        HtmlBuilder builder(ui, book);
        EXPECT_EQ(builder.MakeHtml(reloaded), BuildOutcome::kWritten);
        EXPECT_EQ(ui.questions.size(), 2u);
        EXPECT_TRUE(builder.written().empty());
    }
    EXPECT_EQ(ReadBytes(dir / "top.htm"), "x");
}

// A book set up to keep its site in its own folder: the book folder's name and a file name,
// by either separator. Those files are the book's own and are written without the question,
// but never through a link.
TEST(HtmlBuilder, ASiteInsideTheBookFolderIsWrittenThereWithoutAQuestion) {
    for (const char* name : {"本/index.htm", "本\\index.htm"}) {
        SCOPED_TRACE(name);
        TempFolder dir;
        SiteBook book = MakeSmallBook(dir);
        WriteBytes(book.root_path + "/index.htm", "an old page of the book");
        HtmlOptions options;
        options.html_file_name = name;
        ScriptedUi ui;
        HtmlBuilder builder(ui, book);
        builder.SetDate(kMay3rd2004);
        EXPECT_EQ(builder.MakeHtml(options), BuildOutcome::kWritten);
        EXPECT_TRUE(ui.questions.empty());
        EXPECT_TRUE(ui.messages.empty()) << ui.messages[0];
        EXPECT_EQ(builder.paths().main_page, book.root_path + "/index.htm");
        EXPECT_EQ(ReadBytes(book.root_path + "/index3_.htm"), Fixture("a_text.htm"));
        EXPECT_EQ(builder.written().size(), 5u);
        for (const std::string& path : builder.written()) {
            EXPECT_EQ(ParentPath(path), book.root_path) << path;
        }
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            EXPECT_EQ(entry.path().filename(), "本");  // nothing beside the book
        }
    }
    TempFolder dir;
    SiteBook book = MakeSmallBook(dir);
    WriteBytes(dir / "outside.htm", "not the book's");
    std::filesystem::create_symlink("../outside.htm", book.root_path + "/index.htm");
    HtmlOptions options;
    options.html_file_name = "本/index.htm";
    options.frame = false;
    ScriptedUi ui;
    HtmlBuilder builder(ui, book);
    EXPECT_EQ(builder.MakeHtml(options), BuildOutcome::kIncomplete);
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{book.root_path + "/index.htmが開けません。(3)"});
    EXPECT_EQ(ReadBytes(dir / "outside.htm"), "not the book's");
}

// A real novel, ruby on nearly every kanji, as published (CR LF) and as a checkout here has it
// (LF): the same page and the same TEXT file, notation on.
TEST(HtmlBuilder, ARealNovelWithLfLineEndsBuildsAsItDoesWithCrLf) {
    FOLIX_SKIP_WITHOUT_CORPUS();
    const std::string published = ReadBytes(testing::CorpusPath("novels/koya_hijiri.txt"));
    std::string checked_out;
    for (char c : published) {
        if (c != '\r') {
            checked_out += c;
        }
    }
    std::vector<std::string> pages, texts;
    for (const std::string* bytes : std::vector<const std::string*>{&published, &checked_out}) {
        TempFolder dir;
        const std::string root = dir / "高野聖";
        MakeFolder(root);
        WriteBytes(root + "/本文.txt", *bytes);
        WriteBytes(root + "/あとがき.txt", "終わり");
        WriteBytes(root + "/notation.flc", kControlFileHeader + "true\r\nkeep\r\n2\r\n");
        HtmlOptions options = IndexOptions();
        options.frame = false;
        options.m_bVertical = true;
        ScriptedUi ui;
        HtmlBuilder builder(ui, SiteBook{root, dir.path()});
        builder.SetDate(kMay3rd2004);
        EXPECT_EQ(builder.MakeHtml(options), BuildOutcome::kWritten);
        BookOptions text_options;
        text_options.m_bAllowText = true;
        EXPECT_EQ(TextBuilder(ui, SiteBook{root, dir.path()}).MakeText(text_options),
                  BuildOutcome::kWritten);
        EXPECT_TRUE(ui.messages.empty()) << ui.messages[0];
        pages.push_back(ReadBytes(dir / "index.htm"));
        texts.push_back(ReadBytes(dir / "高野聖.txt"));
    }
    EXPECT_GT(std::count(pages[0].begin(), pages[0].end(), '\n'), 600);
    EXPECT_NE(pages[0].find("<RUBY>"), std::string::npos);
    EXPECT_TRUE(pages[0] == pages[1]);
    EXPECT_TRUE(texts[0] == texts[1]);
}

TEST(HtmlBuilder, DecliningTheMainPageLeavesNothingToBrowse) {
    TempFolder dir;
    SiteBook book = MakeSmallBook(dir);
    HtmlOptions options = IndexOptions();
    WriteBytes(dir / "index2_.htm", "my contents");
    WriteBytes(dir / "index.htm", "mine");
    ScriptedUi ui;
    ui.ExpectQuestion(false);
    ui.ExpectQuestion(false);
    HtmlBuilder builder(ui, book);
    EXPECT_EQ(builder.MakeHtml(options), BuildOutcome::kWritten);
    EXPECT_EQ(builder.paths().main_page, "");
    EXPECT_EQ(builder.paths().contents_page, "");
    EXPECT_EQ(builder.paths().text_page, dir / "index3_.htm");
    EXPECT_EQ(ReadBytes(dir / "index.htm"), "mine");
    EXPECT_EQ(options.last_written.main_page, "");
    // The frameset template, made after the first file was declined, still names that file.
    EXPECT_EQ(Bom(ReadBytes(book.root_path + "/col.htx") + "\r\n"), Fixture("columns.htm"));
}

// The site goes beside the book folder only: a name holding a folder once put the pages into
// the book, where they replaced its files without a question.
// Any folder in the name but the book folder's own is refused, however the options got it.
TEST(HtmlBuilder, APageNameHoldingAFolderIsRefused) {
    TempFolder dir;
    SiteBook book = MakeSmallBook(dir);
    MakeFolder(book.root_path + "/sub");
    WriteBytes(book.root_path + "/sub/site.htm", "old");
    for (const char* name : {"本/sub/site.htm", "本\\sub/site.htm", "sub/site.htm"}) {
        HtmlOptions options;
        options.html_file_name = name;
        options.frame = false;
        ScriptedUi ui;
        HtmlBuilder builder(ui, book);
        EXPECT_EQ(builder.MakeHtml(options), BuildOutcome::kRefused);
        EXPECT_EQ(ui.messages, std::vector<std::string>{name + std::string("は不正です。")});
        EXPECT_TRUE(builder.written().empty());
    }
    EXPECT_EQ(ReadBytes(book.root_path + "/sub/site.htm"), "old");
}

TEST(HtmlBuilder, EditedTemplatesAreUsedVerbatimInTheirOwnEncoding) {
    TempFolder dir;
    SiteBook book = MakeSmallBook(dir);
    WriteBytes(book.root_path + "/header.htx", Cp932("<HTML><BODY>表紙\r\n"));
    WriteBytes(book.root_path + "/trailer.htx", "</BODY></HTML>");
    HtmlOptions options = IndexOptions();
    options.frame = false;
    options.show_date = false;
    options.contents_of_contents = false;
    ScriptedUi ui;
    HtmlBuilder builder(ui, book);
    builder.MakeHtml(options);
    const std::string page = ReadBytes(dir / "index.htm");
    EXPECT_EQ(page.rfind(Bom("<HTML><BODY>表紙\r\n\r\n<A NAME"), 0), 0u);
    EXPECT_EQ(page.substr(page.size() - 16), "</BODY></HTML>\r\n");
    // The template files themselves are not touched.
    EXPECT_EQ(ReadBytes(book.root_path + "/header.htx"), Cp932("<HTML><BODY>表紙\r\n"));
}

TEST(HtmlBuilder, ABookOfOneFileIsThatFileAlone) {
    TempFolder dir;
    const std::string root = dir / "one";
    MakeFolder(root);
    WriteBytes(root + "/page.txt", "<HTML><HEAD></HEAD>\r\n<BODY>hello</BODY></HTML>\r\n");
    HtmlOptions options = IndexOptions();
    ScriptedUi ui;
    HtmlBuilder builder(ui, SiteBook{root, dir.path()});
    builder.SetDate(kMay3rd2004);
    EXPECT_EQ(builder.MakeHtml(options), BuildOutcome::kWritten);
    EXPECT_EQ(ReadBytes(dir / "index3_.htm"),
              Bom("<HTML><HEAD></HEAD>\r\n<BODY>hello</BODY></HTML>\r\n"));
    // The contents page has only its head and end.
    const std::string contents = ReadBytes(dir / "index2_.htm");
    EXPECT_EQ(contents.substr(contents.size() - 26), "<BODY>\r\n\r\n</BODY></HTML>\r\n");

    // Built again, its templates in place now and nothing to ask, the page goes the way a page
    // written in place goes: the document still stands alone, every file byte for byte.
    std::map<std::string, std::string> first;
    for (const std::string& path : builder.written()) {
        first[path] = ReadBytes(path);
    }
    HtmlBuilder again(ui, SiteBook{root, dir.path()});
    again.SetDate(kMay3rd2004);
    EXPECT_EQ(again.MakeHtml(options), BuildOutcome::kWritten);
    EXPECT_EQ(again.written(), builder.written());
    for (const auto& [path, bytes] : first) {
        EXPECT_EQ(ReadBytes(path), bytes) << path << ", built again";
    }
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0];

    // Without the "<HTML>" start the file gets head, date and tail, but no title.
    WriteBytes(root + "/page.txt", "hello");
    options.show_date = false;
    builder.MakeHtml(options);
    const std::string page = ReadBytes(dir / "index3_.htm");
    EXPECT_NE(page.find("<BODY>\r\n\r\nhello<BR>\r\n</BODY></HTML>\r\n"), std::string::npos);
    EXPECT_EQ(page.find("<H1>"), std::string::npos);
}

TEST(HtmlBuilder, AnEmptyBookHasItsTitleAndAnEmptyList) {
    TempFolder dir;
    const std::string root = dir / "empty";
    MakeFolder(root);
    HtmlOptions options = IndexOptions();
    options.frame = false;
    options.show_date = false;
    ScriptedUi ui;
    HtmlBuilder builder(ui, SiteBook{root, dir.path()});
    EXPECT_EQ(builder.MakeHtml(options), BuildOutcome::kWritten);
    EXPECT_NE(
        ReadBytes(dir / "index.htm")
            .find("<BODY>\r\n\r\n<A NAME=\"\"></A><H1>empty</H1>\r\n<DL>\r\n</DL>\r\n</BODY>"),
        std::string::npos);
}

TEST(HtmlBuilder, StoredOrderIsFollowedAndDottedNamesLoseTheirLastPart) {
    TempFolder dir;
    const std::string root = dir / "book";
    MakeFolder(root + "/v1.2");
    WriteBytes(root + "/v1.2/a.b.txt", "x");
    WriteBytes(root + "/z.txt", "z");
    WriteBytes(root + "/contents.flc", kControlFileHeader + "lz.txt\r\nlgone.txt\r\n");
    HtmlOptions options = IndexOptions();
    options.frame = false;
    options.show_date = false;
    ScriptedUi ui;
    HtmlBuilder builder(ui, SiteBook{root, dir.path()});
    builder.MakeHtml(options);
    const std::string page = ReadBytes(dir / "index.htm");
    size_t z = page.find("<A NAME=\"z\"></A><H2>z</H2>");
    size_t folder = page.find("<A NAME=\"v1\"></A><H2>v1</H2>");
    // A file keeps its folder's whole name in its anchor: only its own last part goes.
    size_t file = page.find("<A NAME=\"v1.2/a.b\"></A><H3>a.b</H3>");
    ASSERT_NE(z, std::string::npos);
    ASSERT_NE(folder, std::string::npos);
    ASSERT_NE(file, std::string::npos);
    EXPECT_LT(z, folder);
    EXPECT_LT(folder, file);
    // The build reads the stored order but does not rewrite it.
    EXPECT_NE(ReadBytes(root + "/contents.flc").find("lgone.txt"), std::string::npos);
}

TEST(HtmlBuilder, AnOutputThatCannotBeWrittenIsReportedAndTheRestGoesOn) {
    TempFolder dir;
    SiteBook book = MakeSmallBook(dir);
    MakeFolder(dir / "index3_.htm");  // a folder where the text page should go
    HtmlOptions options = IndexOptions();
    ScriptedUi ui;
    ui.ExpectQuestion(true);
    HtmlBuilder builder(ui, book);
    EXPECT_EQ(builder.MakeHtml(options), BuildOutcome::kIncomplete);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].rfind(dir / "index3_.htm" + "が開けません。(", 0), 0u);
    EXPECT_EQ(options.last_written.text_page, "");
    EXPECT_EQ(options.last_written.main_page, dir / "index.htm");
    EXPECT_TRUE(Exists(dir / "index.css"));
}

// The text page waits on disk beside its place until its turn: a No, or a failure of that waiting
// file, leaves the old page and nothing else behind, and the rest of the site is written.
TEST(HtmlBuilder, TheTextPageDeclinedOrFailedKeepsTheOldPageAndLeavesNoScratchFile) {
    auto names = [](const TempFolder& dir) {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            found.push_back(entry.path().filename().string());
        }
        std::sort(found.begin(), found.end());
        return found;
    };
    const std::vector<std::string> site{"index.css",   "index.htm",   "index2_.css",
                                        "index2_.htm", "index3_.htm", "本"};
    {
        TempFolder dir;
        SiteBook book = MakeSmallBook(dir);
        WriteBytes(dir / "index3_.htm", "my page");
        HtmlOptions options = IndexOptions();
        ScriptedUi ui;
        ui.ExpectQuestion(false);
        HtmlBuilder builder(ui, book);
        EXPECT_EQ(builder.MakeHtml(options), BuildOutcome::kWritten);
        EXPECT_EQ(ReadBytes(dir / "index3_.htm"), "my page");
        EXPECT_EQ(names(dir), site);
    }
    {
        TempFolder dir;
        SiteBook book = MakeSmallBook(dir);
        WriteBytes(dir / "index3_.htm", "my page");
        HtmlOptions options = IndexOptions();
        options.last_written.text_page = dir / "index3_.htm";
        // The first write for the page is the file it waits in.
        bool failed = false;
        SetFileFaultHook([&](FileOperation operation, const std::string& path) {
            if (operation == FileOperation::kWrite && path == dir / "index3_.htm" && !failed) {
                failed = true;
                return ENOSPC;
            }
            return 0;
        });
        ScriptedUi ui;
        HtmlBuilder builder(ui, book);
        EXPECT_EQ(builder.MakeHtml(options), BuildOutcome::kIncomplete);
        SetFileFaultHook({});
        EXPECT_TRUE(failed);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].rfind(dir / "index3_.htm" + "が開けません。(", 0), 0u);
        EXPECT_EQ(ReadBytes(dir / "index3_.htm"), "my page");
        EXPECT_EQ(options.last_written.main_page, dir / "index.htm");
        EXPECT_EQ(names(dir), site);
    }
}

// Both walks of a build (the contents and the text page) go through the folders; whatever a
// folder's listing has to tell the writer is told in each walk where it comes to that folder,
// between the messages of the files around it, in every layout, though the folder is listed
// once.
TEST(HtmlBuilder, EachWalkTellsWhatAFolderListingFound) {
    struct Row {
        const char* name;
        void (*configure)(HtmlOptions&);
        std::vector<std::string> told;  // the folder or file each message names, in order
    };
    const std::string broken = "/contents.flcの内容が不正です。";
    // The contents walk lists every folder before the text walk comes to it; with the contents
    // apart, it lists the book folder again after the title did.
    const std::vector<std::string> both = {"本", "第一章", "二節", "第一章", "朝", "二節"};
    const std::vector<std::string> apart = {"本", "本",     "第一章", "二節",
                                            "本", "第一章", "朝",     "二節"};
    const Row rows[] = {
        {"frame", [](HtmlOptions&) {}, both},
        {"frame, nested contents", [](HtmlOptions& o) { o.contents_of_contents = false; }, both},
        {"frame, contents apart",
         [](HtmlOptions& o) {
             o.contents_of_contents = false;
             o.m_bLevel1Heading = false;
         },
         apart},
        {"one page", [](HtmlOptions& o) { o.frame = false; }, both},
        {"one page, contents apart",
         [](HtmlOptions& o) {
             o.frame = false;
             o.contents_of_contents = false;
         },
         apart},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder dir;
        SiteBook book = MakeSmallBook(dir);
        WriteBytes(book.root_path + "/第一章/contents.flc", "not ours\r\n");
        WriteBytes(book.root_path + "/第一章/二節/contents.flc", "not ours either\r\n");
        WriteBytes(book.root_path + "/contents.flc", "nor this\r\n");
        HtmlOptions options = IndexOptions();
        row.configure(options);
        ScriptedUi ui;
        std::map<std::string, int> listed;
        SetFileFaultHook([&](FileOperation operation, const std::string& path) {
            listed[path.substr(path.rfind('/') + 1)] += operation == FileOperation::kList ? 1 : 0;
            return operation == FileOperation::kRead && path.ends_with("/朝.txt") ? EACCES : 0;
        });
        HtmlBuilder builder(ui, book);
        builder.MakeHtml(options);
        SetFileFaultHook({});
        // Yet the disk is asked once: the text walk takes what the contents walk listed.
        EXPECT_EQ(listed["第一章"], 1);
        EXPECT_EQ(listed["二節"], 1);
        // Each message by what it names: a contents file by its folder, a text file by itself.
        std::vector<std::string> told;
        for (const std::string& message : ui.messages) {
            const size_t named = message.find(broken) != std::string::npos ? message.find(broken)
                                                                           : message.find(".txt");
            ASSERT_NE(named, std::string::npos) << message;
            const std::string path = message.substr(0, named);
            told.push_back(path.substr(path.rfind('/') + 1));
        }
        EXPECT_EQ(told, row.told);
    }
}

}  // namespace
}  // namespace folix
