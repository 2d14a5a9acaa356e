#include "site/page_writer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "site/table_row.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::Cp932;
using testing::MakeFolder;
using testing::ScriptedUi;
using testing::TempFolder;
using testing::WriteBytes;

using Lines = std::vector<std::string>;

// One text file of a book, converted.
class PageWriterTest : public ::testing::Test {
protected:
    PageWriterTest() : book_{dir_ / "book", dir_.path()} { MakeFolder(book_.root_path); }

    Lines Convert(const std::string& bytes) {
        WriteBytes(book_.root_path + "/page.txt", bytes);
        PageWriter writer(ui_, book_);
        Lines lines;
        writer.AppendFileText(book_.root_path + "/page.txt", lines);
        return lines;
    }

    void WriteList(const std::string& name, const std::string& bytes) {
        WriteBytes(book_.root_path + "/" + name + ".lst", bytes);
    }

    TempFolder dir_;
    SiteBook book_;
    ScriptedUi ui_;
};

TEST_F(PageWriterTest, LinesNotEndingInATagGetABreak) {
    EXPECT_EQ(Convert("text\r\n\r\n<P>para</P>\r\n<B>bold</B> \r\n  indented"),
              (Lines{"text<BR>", "<BR>", "<P>para</P>", "<B>bold</B> <BR>", "  indented<BR>"}));
    // LF and a lone CR end a line as CR LF does, however they are mixed.
    for (const char* relined : {"text\n\n<P>para</P>\n<B>bold</B> \n  indented",
                                "text\r\r<P>para</P>\r<B>bold</B> \r  indented",
                                "text\n\r<P>para</P>\r\n<B>bold</B> \r  indented"}) {
        EXPECT_EQ(Convert(relined),
                  (Lines{"text<BR>", "<BR>", "<P>para</P>", "<B>bold</B> <BR>", "  indented<BR>"}))
            << relined;
    }
    // A final line end ends the last line; it does not make another.
    EXPECT_EQ(Convert("one\r\n"), Lines{"one<BR>"});
    EXPECT_EQ(Convert("one\n"), Lines{"one<BR>"});
    EXPECT_EQ(Convert("one\r"), Lines{"one<BR>"});
    EXPECT_EQ(Convert(""), Lines{});
    // The text arrives decoded, whatever the file's encoding.
    EXPECT_EQ(Convert(Cp932("表です\r\n")), Lines{"表です<BR>"});
}

TEST_F(PageWriterTest, HeadingsCarryTheirAnchorAndStopAtH6) {
    PageWriter writer(ui_, book_);
    const std::string& root = book_.root_path;
    EXPECT_EQ(writer.HeadingLine(root, 0), "<A NAME=\"\"></A><H1>book</H1>");
    EXPECT_EQ(writer.HeadingLine(root + "/ch1", 1), "<A NAME=\"ch1\"></A><H2>ch1</H2>");
    EXPECT_EQ(writer.HeadingLine(root + "/ch1/sec.txt", 2), "<A NAME=\"ch1/sec\"></A><H3>sec</H3>");
    EXPECT_EQ(writer.HeadingLine(root + "/a/b/c/d/e.txt", 5),
              "<A NAME=\"a/b/c/d/e\"></A><H6>e</H6>");
    EXPECT_EQ(writer.HeadingLine(root + "/a/b/c/d/e/f.txt", 6),
              "<A NAME=\"a/b/c/d/e/f\"></A><H6>f</H6>");
    EXPECT_EQ(writer.HeadingLine(root + "/第1.5章", 1), "<A NAME=\"第1\"></A><H2>第1</H2>");
}

TEST_F(PageWriterTest, TableRowsAreFilledFromTheirFields) {
    EXPECT_EQ(Convert("<TABLE BORDER=1>\r\n"
                      "\t<TBL><TR><TD>%1</TD><TD>%2</TD></TR>\r\n"
                      "apple \"two words\" dropped\r\n"
                      "<A HREF=\"x.htm\">link</A>more tail\r\n"
                      "single\r\n"
                      "</TABLE>\r\n"
                      "after"),
              (Lines{"<TABLE BORDER=1>", "<TR><TD>apple</TD><TD>two words</TD></TR>",
                     "<TR><TD><A HREF=\"x.htm\">link</A>more</TD><TD>tail</TD></TR>",
                     "<TR><TD>single</TD><TD></TD></TR>", "</TABLE>", "after<BR>"}));
}

TEST_F(PageWriterTest, TblEndIsDroppedAndLowerCaseTagsAreText) {
    EXPECT_EQ(Convert("<TBL>%1 |\r\nx y\r\n</TBL>\r\n<tbl>%1\r\nz"),
              (Lines{"x |<BR>", "<tbl>%1<BR>", "z<BR>"}));
}

TEST_F(PageWriterTest, BadTableStartAndEmbedInsideATableAreReported) {
    EXPECT_EQ(Convert("  <TBL><TD>nothing</TD>\r\nplain\r\n<TBL>%1\r\n<IMBED>list\r\nrow\r\n"),
              (Lines{"plain<BR>", "row<BR>"}));
    EXPECT_EQ(ui_.messages,
              (Lines{"<TBL><TD>nothing</TD>は不正です。", "<TBL>の中では<IMBED>は書けません。"}));
}

TEST_F(PageWriterTest, ListsAreEmbeddedFromTheBookFolder) {
    WriteList("menu", "<UL>\r\n<LI>one</LI>\r\n</UL>\r\n");
    MakeFolder(book_.root_path + "/ch");
    WriteBytes(book_.root_path + "/ch/page.txt", "before\r\n  <IMBED>  menu  \r\nafter\r\n");
    PageWriter writer(ui_, book_);
    Lines lines;
    writer.AppendFileText(book_.root_path + "/ch/page.txt", lines);
    EXPECT_EQ(lines, (Lines{"before<BR>", "<UL>", "<LI>one</LI>", "</UL>", "after<BR>"}));

    // A list may live in a folder of the book, named with either separator and any line ends.
    MakeFolder(book_.root_path + "/lists/cast");
    WriteBytes(book_.root_path + "/lists/cast/main.lst", "<LI>主役</LI>\n<LI>脇役</LI>\r");
    EXPECT_EQ(Convert("<IMBED>lists/cast/main\n<IMBED>lists\\cast\\main"),
              (Lines{"<LI>主役</LI>", "<LI>脇役</LI>", "<LI>主役</LI>", "<LI>脇役</LI>"}));
    EXPECT_TRUE(ui_.messages.empty()) << ui_.messages[0];

    // A missing list is reported by the reader and adds nothing.
    EXPECT_EQ(Convert("<IMBED>missing\r\nx"), Lines{"x<BR>"});
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0], book_.root_path + "/missing.lst" + "が開けません。(2)");
}

TEST_F(PageWriterTest, ATableOpenedInAListGoesOnInTheFileThatEmbeddedIt) {
    WriteList("head", "<TBL><TR><TD>%1</TD></TR>\r\n");
    EXPECT_EQ(Convert("<IMBED>head\r\ncell\r\n</TBL>\r\ntext"),
              (Lines{"<TR><TD>cell</TD></TR>", "text<BR>"}));
}

TEST_F(PageWriterTest, AListThatEmbedsItselfStopsAtSixteenLevelsWithOneMessage) {
    WriteList("loop", "x\r\n<IMBED>loop\r\n<IMBED>other\r\n");
    WriteList("other", "<IMBED>loop\r\n");
    Lines lines = Convert("<IMBED>loop");
    EXPECT_GT(lines.size(), 16u);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "x<BR>"), static_cast<long>(lines.size()));
    const std::string message = book_.root_path + "/loop.lst" +
                                "の埋め込みが深すぎるため、そこから先は埋め込みませんでした。";
    EXPECT_EQ(std::count(ui_.messages.begin(), ui_.messages.end(), message), 1);

    // A chain of seventeen lists: the sixteenth is still poured in, the seventeenth is not,
    // and it alone is named.
    Lines expected;
    for (int i = 1; i <= 17; ++i) {
        const std::string name = "l" + std::to_string(i);
        WriteList(name, name + "\r\n<IMBED>l" + std::to_string(i + 1) + "\r\n");
        if (i <= 16) {
            expected.push_back(name + "<BR>");
        }
    }
    ui_.messages.clear();
    EXPECT_EQ(Convert("<IMBED>l1"), expected);
    EXPECT_EQ(ui_.messages, Lines{book_.root_path + "/l17.lst" +
                                  "の埋め込みが深すぎるため、そこから先は埋め込みませんでした。"});
}

TEST_F(PageWriterTest, ListsThatBranchIntoThemselvesStopInBoundedTime) {
    // Three self-embeds would pour the list in 3^16 times within the depth limit.
    WriteList("tree", "leaf\r\n<IMBED>tree\r\n<IMBED>tree\r\n<IMBED>tree\r\n");
    Lines lines = Convert("<IMBED>tree\r\nend");
    EXPECT_EQ(lines.size(), static_cast<size_t>(kMaxEmbedsPerFile) + 1);
    EXPECT_EQ(lines.back(), "end<BR>");
    const std::string message = book_.root_path + "/tree.lst" + kTooManyEmbedsMessage;
    EXPECT_EQ(std::count(ui_.messages.begin(), ui_.messages.end(), message), 1);
}

TEST(TableRow, FieldsAndPlaceholders) {
    EXPECT_EQ(ExpandTableRow("<TD>%1</TD><TD>%2</TD>", "  a\tb c"), "<TD>a</TD><TD>b</TD>");
    // Placeholders are filled in order, each after the previous field.
    EXPECT_EQ(ExpandTableRow("%2 then %1", "a b"), "%2 then a");
    // A field holding %2 is not expanded again.
    EXPECT_EQ(ExpandTableRow("[%1][%2]", "%2 x"), "[%2][x]");
    // A quote inside a tag does not end a quoted field.
    EXPECT_EQ(ExpandTableRow("%1|%2", "\"<A HREF=\"a b\">x y</A>\" z"),
              "<A HREF=\"a b\">x y</A>|z");
    // An unclosed quote takes the rest of the line.
    EXPECT_EQ(ExpandTableRow("%1|%2", "\"open ended"), "open ended|");
}

TEST(TableRow, SearchesSkipWhatIsInsideTags) {
    EXPECT_EQ(FindSeparatorOutsideTags("<A HREF=x>a</A> b"), 15u);
    EXPECT_EQ(FindSeparatorOutsideTags("none"), std::string::npos);
    EXPECT_EQ(FindSeparatorOutsideTags("<unclosed a b"), std::string::npos);
    EXPECT_EQ(FindQuoteOutsideTags("<B x=\"1\">t\"u"), 10u);
}

}  // namespace
}  // namespace folix
