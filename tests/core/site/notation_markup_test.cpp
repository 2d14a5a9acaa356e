#include "site/notation_markup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "site/html_builder.h"
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

struct MarkupCase {
    const char* what;
    bool vertical;
    std::vector<std::string> lines;     // read in order by one converter
    std::vector<std::string> expected;  // line for line
    int upright_digits = 2;
};

TEST(NotationMarkup, ConvertsNotationBetweenTagsAndLeavesTheWritersHtmlAsTyped) {
    const std::string ruby = "<RUBY>親文字<RP>（</RP><RT>おやもじ</RT><RP>）</RP></RUBY>";
    const MarkupCase cases[] = {
        {"ruby", false, {"｜親文字《おやもじ》です"}, {ruby + "です"}},
        {"kanji ruby", false, {"<B>親文字《おやもじ》</B>"}, {"<B>" + ruby + "</B>"}},
        {"emphasis", false, {"《《強調》》"}, {"<SPAN class=\"notationEmphasis\">強調</SPAN>"}},
        {"escaped bracket", false, {"｜《かな》"}, {"《かな》"}},
        {"horizontal digits stay", false, {"12月!?"}, {"12月!?"}},
        {"vertical digits and marks",
         true,
         {"12月25日!?"},
         {"<SPAN class=\"notationUpright\">12</SPAN>月<SPAN class=\"notationUpright\">25</SPAN>"
          "日<SPAN class=\"notationUpright\">!?</SPAN>"}},
        {"upright inside a base",
         true,
         {"｜10年《じゅうねん》"},
         {"<RUBY><SPAN class=\"notationUpright\">10</SPAN>年<RP>（</RP><RT>じゅうねん</RT><RP>）"
          "</RP></RUBY>"}},
        {"tags and attributes untouched",
         true,
         {"<FONT SIZE=2 TITLE=\"漢字《かんじ》 a>1\">12</FONT>"},
         {"<FONT SIZE=2 TITLE=\"漢字《かんじ》 a>1\"><SPAN class=\"notationUpright\">12</SPAN>"
          "</FONT>"}},
        {"character references untouched",
         true,
         {"&#12354;&amp;12&frac12;"},
         {"&#12354;&amp;<SPAN class=\"notationUpright\">12</SPAN>&frac12;"}},
        {"short character references stay whole, digits beside them upright",
         true,
         {"&#38;1&#1;"},
         {"&#38;<SPAN class=\"notationUpright\">1</SPAN>&#1;"}},
        {"references of one to four digits, four set upright",
         true,
         {"12&#1;&#38;34&#123;&#9999;5"},
         {"<SPAN class=\"notationUpright\">12</SPAN>&#1;&#38;<SPAN class=\"notationUpright\">34"
          "</SPAN>&#123;&#9999;<SPAN class=\"notationUpright\">5</SPAN>"},
         4},
        {"notation cut by a tag stays", false, {"｜<B>漢</B>《かん》"}, {"｜<B>漢</B>《かん》"}},
        {"a lone angle bracket is text",
         false,
         {"a < 字《じ》"},
         {"a < <RUBY>字<RP>（</RP><RT>じ</RT><RP>）</RP></RUBY>"}},
        {"comment over lines",
         true,
         {"<!-- 字《じ》", "12 -->34"},
         {"<!-- 字《じ》", "12 --><SPAN class=\"notationUpright\">34</SPAN>"}},
        {"script over lines",
         true,
         {"<SCRIPT>", "var a = 12; // 字《じ》", "</script >56"},
         {"<SCRIPT>", "var a = 12; // 字《じ》",
          "</script ><SPAN class=\"notationUpright\">56</SPAN>"}},
        {"style",
         true,
         {"<style>p{line-height:1.5;width:10em}</style>字《じ》"},
         {"<style>p{line-height:1.5;width:10em}</style><RUBY>字<RP>（</RP><RT>じ</RT><RP>）</RP>"
          "</RUBY>"}},
        {"style over lines",
         true,
         {"<STYLE type=\"text/css\">", "P{line-height:1.5;margin:0 2em}",
          "P:after{content:\"字《じ》\"}", "</STYLE>12"},
         {"<STYLE type=\"text/css\">", "P{line-height:1.5;margin:0 2em}",
          "P:after{content:\"字《じ》\"}", "</STYLE><SPAN class=\"notationUpright\">12</SPAN>"}},
        {"tag over lines",
         false,
         {"<A HREF=\"a.htm\"", "TITLE=\"字《じ》\">字《じ》</A>"},
         {"<A HREF=\"a.htm\"",
          "TITLE=\"字《じ》\"><RUBY>字<RP>（</RP><RT>じ</RT><RP>）</RP></RUBY></A>"}},
    };
    for (const MarkupCase& row : cases) {
        SCOPED_TRACE(row.what);
        NotationMarkup markup(row.vertical, row.upright_digits);
        std::vector<std::string> converted;
        for (const std::string& line : row.lines) {
            converted.push_back(markup.Convert(line));
        }
        EXPECT_EQ(converted, row.expected);
    }
}

struct BuildCase {
    const char* what;
    std::string notation_file;  // the whole file; empty for no file
    bool vertical;
    std::string style_template;  // empty for the default
    std::vector<std::string> in_page;
    std::vector<std::string> in_style;
    std::vector<std::string> not_in_style;
    bool reported = false;  // the settings file is not ours: said once, and the build goes on
};

TEST(NotationMarkup, TheBuildMarksTheNotationAndItsStyleOnlyWhenTheBookAsks) {
    const std::string ruby_line =
        "<RUBY>東京<RP>（</RP><RT>とうきょう</RT><RP>）</RP></RUBY>へ<BR>";
    const BuildCase cases[] = {
        {"no settings",
         "",
         false,
         "",
         {"東京《とうきょう》へ<BR>", "第12話《《必ず》》<BR>"},
         {},
         {"notation"}},
        {"off",
         kControlFileHeader + "false\r\nkeep\r\n2\r\n",
         true,
         "",
         {"第12話《《必ず》》<BR>"},
         {},
         {"notation"}},
        {"horizontal",
         kControlFileHeader + "true\r\nkeep\r\n2\r\n",
         false,
         "",
         {ruby_line, "第12話<SPAN class=\"notationEmphasis\">必ず</SPAN><BR>"},
         {"SPAN.notationEmphasis{\r\ntext-emphasis:sesame;"},
         {"notationUpright"}},
        {"vertical",
         kControlFileHeader + "true\r\nkeep\r\n3\r\n",
         true,
         "",
         {ruby_line, "第<SPAN class=\"notationUpright\">12</SPAN>話"},
         {"text-emphasis:sesame", "SPAN.notationUpright{\r\ntext-combine-upright:all;"},
         {}},
        {"the writer's own rule stands",
         kControlFileHeader + "true\r\nkeep\r\n2\r\n",
         false,
         "BODY{color:#000}\r\nSPAN.notationEmphasis{text-emphasis:dot}",
         {ruby_line},
         {"BODY{color:#000}\r\nSPAN.notationEmphasis{text-emphasis:dot}\r\n"},
         {"sesame"}},
        {"a settings file not ours",
         "my notes",
         false,
         "",
         {"東京《とうきょう》へ<BR>"},
         {},
         {"notation"},
         true},
    };
    for (const BuildCase& row : cases) {
        SCOPED_TRACE(row.what);
        TempFolder dir;
        const std::string root = dir / "本";
        MakeFolder(root);
        WriteBytes(root + "/一.txt", "東京《とうきょう》へ\r\n第12話《《必ず》》\r\n");
        WriteBytes(root + "/本.flx", "");
        if (!row.notation_file.empty()) {
            WriteBytes(root + "/notation.flc", row.notation_file);
        }
        if (!row.style_template.empty()) {
            WriteBytes(root + (row.vertical ? "/vstyle.htx" : "/style.htx"), row.style_template);
        }
        HtmlOptions options;
        options.html_file_name = "index.htm";
        options.frame = false;
        options.m_bVertical = row.vertical;
        ScriptedUi ui;
        HtmlBuilder builder(ui, SiteBook{root, dir.path()});
        ASSERT_EQ(builder.MakeHtml(options), BuildOutcome::kWritten);
        EXPECT_EQ(ui.messages.size(), row.reported ? 1u : 0u);
        const std::string page = ReadBytes(dir / "index.htm");
        const std::string style = ReadBytes(dir / "index.css");
        for (const std::string& part : row.in_page) {
            EXPECT_NE(page.find(part), std::string::npos) << part << "\n" << page;
        }
        for (const std::string& part : row.in_style) {
            EXPECT_NE(style.find(part), std::string::npos) << part << "\n" << style;
        }
        for (const std::string& part : row.not_in_style) {
            EXPECT_EQ(style.find(part), std::string::npos) << part << "\n" << style;
        }
        // A build reads the settings and never makes their file.
        EXPECT_EQ(testing::Exists(root + "/notation.flc"), !row.notation_file.empty());
        if (!row.notation_file.empty()) {
            EXPECT_EQ(ReadBytes(root + "/notation.flc"), row.notation_file);
        }
        // The book's own text is never touched by a build.
        EXPECT_EQ(ReadBytes(root + "/一.txt"), "東京《とうきょう》へ\r\n第12話《《必ず》》\r\n");
    }
}

}  // namespace
}  // namespace folix
