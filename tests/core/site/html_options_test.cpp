#include "site/html_options.h"

#include <gtest/gtest.h>

#include "site/site_paths.h"
#include "support/control_file_header.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::kControlFileHeader;
using testing::MakeFolder;
using testing::ReadBytes;
using testing::ScriptedUi;
using testing::TempFolder;
using testing::WriteBytes;

using namespace std::string_literals;

TEST(HtmlOptions, ANewBookHasTheDefaultsAndTheFileIsWrittenInItsOrder) {
    TempFolder book;
    ScriptedUi ui;
    HtmlOptions options = LoadHtmlOptions(ui, book.path());
    EXPECT_EQ(options.html_file_name, "noname.htm");
    EXPECT_EQ(options.date_after, "更新");
    EXPECT_TRUE(options.frame);
    EXPECT_FALSE(options.top_bottom);
    EXPECT_FALSE(options.m_bVertical);
    EXPECT_EQ(ReadBytes(book / "html_options.flc"), "");  // made empty by the read

    options.ftp_directory = "/www";
    options.html_file_name = "index.htm";
    options.last_written = MakeSiteFilePaths("/p", "index.htm");
    options.top_bottom = true;
    options.m_bLevel1Heading = false;
    ASSERT_TRUE(SaveHtmlOptions(ui, book.path(), options));
    EXPECT_EQ(ReadBytes(book / "html_options.flc"),
              kControlFileHeader +
                  "/www\r\n/p/index.htm\r\nindex.htm\r\n\r\n更新\r\ntrue\r\ntrue\r\ntrue\r\n"
                  "true\r\ntrue\r\ntrue\r\n/p/index2_.htm\r\n/p/index3_.htm\r\ntrue\r\n"
                  "/p/index4_.htm\r\n/p/index5_.htm\r\n/p/index6_.htm\r\n/p/index.css\r\n"
                  "/p/index2_.css\r\nfalse\r\nfalse\r\n");
    HtmlOptions again = LoadHtmlOptions(ui, book.path());
    EXPECT_EQ(again.last_written.contents_style, "/p/index2_.css");
    EXPECT_FALSE(again.m_bLevel1Heading);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(HtmlOptions, AShortFileReadsTheMissingLinesAsEmptyOrOff) {
    TempFolder book;
    ScriptedUi ui;
    WriteBytes(book / "html_options.flc", kControlFileHeader + "/ftp\r\n\r\nbook.htm\r\n");
    HtmlOptions options = LoadHtmlOptions(ui, book.path());
    EXPECT_EQ(options.html_file_name, "book.htm");
    EXPECT_EQ(options.date_after, "");
    EXPECT_FALSE(options.frame);
    EXPECT_FALSE(options.show_date);
}

TEST(HtmlOptions, AForeignFileGivesDefaultsAndIsNeverOverwritten) {
    TempFolder book;
    ScriptedUi ui;
    WriteBytes(book / "html_options.flc", "not ours\r\n");
    HtmlOptions options = LoadHtmlOptions(ui, book.path());
    EXPECT_EQ(options.html_file_name, "noname.htm");
    options.html_file_name = "index.htm";
    EXPECT_FALSE(SaveHtmlOptions(ui, book.path(), options));
    EXPECT_EQ(ReadBytes(book / "html_options.flc"), "not ours\r\n");
    EXPECT_EQ(ui.messages.size(), 2u);
}

// A book may come from someone else: the names its file holds are checked as if typed, and one
// that fails is said and the default taken.
TEST(HtmlOptions, NamesReadFromTheFileAreCheckedAsTyped) {
    struct Row {
        std::string folder_line, name_line;
        std::string folder, name, message;
    };
    const std::vector<Row> rows = {
        {"/www", "index.html", "/www", "index.html", ""},
        {"/www", "", "/www", "noname.htm", ""},
        {"", "../.bash_login", "", "noname.htm", "../.bash_loginは不正です。"},
        {"", "book/x.htm", "", "noname.htm", "book/x.htmは不正です。"},
        // The book folder's own name puts the site in it; no other folder does.
        {"", "本/index.htm", "", "本/index.htm", ""},
        {"", "本\\index.html", "", "本\\index.html", ""},
        {"", "本/sub/x.htm", "", "noname.htm", "本/sub/x.htmは不正です。"},
        {"", "本本/x.htm", "", "noname.htm", "本本/x.htmは不正です。"},
        {"", "本/../x.htm", "", "noname.htm", "本/../x.htmは不正です。"},
        {"", "x\x1b.htm", "", "noname.htm", "x\x1b.htmは不正です。"},
        {"", "index.txt", "", "noname.htm", "ファイル名拡張子は htm でなければなりません。"},
        {"www", "index.htm", "", "index.htm", "wwwは不正です。"},
        {"/www\x1b[2J", "index.htm", "", "index.htm", "/www\x1b[2Jは不正です。"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name_line);
        TempFolder dir;
        const std::string book = dir / "本";
        MakeFolder(book);
        ScriptedUi ui;
        WriteBytes(book + "/html_options.flc",
                   kControlFileHeader + row.folder_line + "\r\n\r\n" + row.name_line + "\r\n");
        HtmlOptions options = LoadHtmlOptions(ui, book);
        EXPECT_EQ(options.ftp_directory, row.folder);
        EXPECT_EQ(options.html_file_name, row.name);
        EXPECT_EQ(ui.messages, row.message.empty() ? std::vector<std::string>{}
                                                   : std::vector<std::string>{row.message});
    }
}

TEST(HtmlOptions, TheFileNameMustHaveTheHtmExtension) {
    ScriptedUi ui;
    HtmlOptions options;
    const std::string root = "/books/本";
    for (const char* accepted :
         {"本/index.htm", "本\\index.htm", "index.htm", "index.html", "INDEX.HTM", "page.v2.Htm"}) {
        EXPECT_TRUE(SetHtmlFileName(ui, options, accepted, root)) << accepted;
        EXPECT_EQ(options.html_file_name, accepted);
    }
    for (const char* refused : {"index.ht", "index", "index.txt"}) {
        EXPECT_FALSE(SetHtmlFileName(ui, options, refused, root)) << refused;
        EXPECT_EQ(options.html_file_name, "page.v2.Htm");
    }
    EXPECT_EQ(ui.messages,
              std::vector<std::string>(3, "ファイル名拡張子は htm でなければなりません。"));
    // The site's files go beside the book folder, each under one name, or into it.
    ui.messages.clear();
    const std::vector<std::string> outside = {
        "sub/page.htm", "../.bash_login.htm", "..\\x.htm", "a..htm", "tab\t.htm",   "nul\0.htm"s,
        "本/sub/x.htm", "本本/x.htm",         "/本/x.htm", "本/",    "本/../x.htm",
    };
    for (const std::string& refused : outside) {
        EXPECT_FALSE(SetHtmlFileName(ui, options, refused, root)) << refused;
        EXPECT_EQ(ui.messages.back(), refused + "は不正です。");
    }
    EXPECT_EQ(options.html_file_name, "page.v2.Htm");
    EXPECT_TRUE(SetHtmlFileName(ui, options, "", root));
    EXPECT_EQ(options.html_file_name, "noname.htm");
}

TEST(SitePaths, EightFilesNamedAfterTheMainPage) {
    SiteFilePaths paths = MakeSiteFilePaths("/web", "index.html");
    EXPECT_EQ(paths.main_page, "/web/index.html");
    EXPECT_EQ(paths.contents_page, "/web/index2_.htm");
    EXPECT_EQ(paths.contents_style, "/web/index2_.css");
    EXPECT_EQ(paths.text_page, "/web/index3_.htm");
    EXPECT_EQ(paths.columns_frameset, "/web/index4_.htm");
    EXPECT_EQ(paths.top_page, "/web/index5_.htm");
    EXPECT_EQ(paths.bottom_page, "/web/index6_.htm");
    EXPECT_EQ(paths.page_style, "/web/index.css");
    EXPECT_EQ(MakeSiteFilePaths("/web", "page.v2.htm").page_style, "/web/page.v2.css");
    EXPECT_EQ(MakeSiteFilePaths("/web", "本\\index.htm").text_page, "/web/本/index3_.htm");
}

}  // namespace
}  // namespace folix
