#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/control_file_header.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::MakeFolder;
using testing::ProgramResult;
using testing::ReadBytes;
using testing::RunFolix;
using testing::TempFolder;
using testing::WriteBytes;

using namespace std::string_literals;

const std::string& kHeader = testing::kControlFileHeader;

// A book "b" that builds both ways, with one ordinary page to show the rest still gets through.
class BadInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakeFolder(dir / "b");
        WriteBytes(dir / "b/b.flx", "");
        WriteBytes(dir / "b/plain.txt", "ふつうの本文\r\n");
        ASSERT_EQ(
            RunFolix({"options", "b/b.flx", "html.file=index.htm", "text.allow=true"}, dir.path())
                .exit_code,
            0);
    }

    ProgramResult Run(const std::vector<std::string>& args) {
        std::vector<std::string> all = args;
        all.insert(all.begin() + 1, "b/b.flx");
        return RunFolix(all, dir.path());
    }

    // ls, both builds and a search all end and the ordinary page is in both outputs (and found,
    // unless the tree cannot show it).
    void ExpectEveryJobGoesThrough(bool searchable = true) {
        EXPECT_EQ(Run({"ls"}).exit_code, 0);
        ProgramResult text = Run({"text"});
        EXPECT_EQ(text.exit_code, 0) << text.err;
        EXPECT_NE(ReadBytes(dir / "b.txt").find("ふつうの本文"), std::string::npos);
        ProgramResult html = Run({"html"});
        EXPECT_EQ(html.exit_code, 0) << html.err;
        EXPECT_NE(ReadBytes(dir / "index3_.htm").find("ふつうの本文"), std::string::npos);
        if (searchable) {
            EXPECT_EQ(Run({"search", "ふつう"}).out, "plain.txt\n");
        }
    }

    TempFolder dir;
};

// A contents file that is not ours is named and never rewritten; the tree shows the folder
// empty, and the builds still take its text in name order.
TEST_F(BadInputTest, ForeignContentsFilesAreReportedAndKept) {
    const std::vector<std::string> foreign = {
        "garbage header\r\nlplain.txt\r\n", kHeader.substr(0, 20) + "\0\r\nlplain.txt\r\n"s,
        "\0\0\0\0"s,
        kHeader + "l\xFF\xFE.txt\r\n",  // neither UTF-8 nor CP932
    };
    for (const std::string& bytes : foreign) {
        WriteBytes(dir / "b/contents.flc", bytes);
        ExpectEveryJobGoesThrough(false);
        EXPECT_EQ(ReadBytes(dir / "b/contents.flc"), bytes);
        EXPECT_NE(Run({"ls"}).err.find("contents.flcの内容が不正です。"), std::string::npos);
    }
}

// Lines the format allows but no folder holds: NUL bytes, one very long line (8 MB here; the
// reader's cost is linear in the file, so this shows the same bound as 100 MB without a
// test minutes long), and the same file named 10,000 times. The listed file keeps its place,
// the file shows once.
TEST_F(BadInputTest, StrangeContentsLinesEndInOneEntryEach) {
    WriteBytes(dir / "b/a.txt", "前の本文\r\n");
    std::string lines = kHeader + "la.txt\r\nl\0x.txt\r\nla\0.txt\r\n"s;
    lines += "l" + std::string(8 << 20, 'x') + "\r\n";
    for (int i = 0; i < 10000; ++i) {
        lines += "la.txt\r\n";
    }
    WriteBytes(dir / "b/contents.flc", lines);
    EXPECT_EQ(Run({"ls"}).out, "b/\n  a.txt\n  plain.txt\n");
    ExpectEveryJobGoesThrough();
    const std::string text = ReadBytes(dir / "b.txt");
    EXPECT_LT(text.find("前の本文"), text.find("ふつうの本文"));
    EXPECT_EQ(text.find("前の本文"), text.rfind("前の本文"));
}

// Binary bytes, lone CRs and a large file are text like any other: read, built and searched.
TEST_F(BadInputTest, BinaryAndOddlyEndedTextIsBuiltAsItIs) {
    std::string binary;
    for (unsigned i = 0; i < 1u << 20; ++i) {
        binary += static_cast<char>((i * 7919u) >> 3);
    }
    WriteBytes(dir / "b/bin.txt", binary);
    WriteBytes(dir / "b/cr.txt", "一\r二\r三 needle\r");
    WriteBytes(dir / "b/big.txt", std::string(20 << 20, 'a') + "\r\nlast\r\n");
    ExpectEveryJobGoesThrough();
    EXPECT_NE(ReadBytes(dir / "b.txt").find("三 needle"), std::string::npos);
    EXPECT_EQ(Run({"search", "needle"}).out, "cr.txt\n");
    EXPECT_EQ(ReadBytes(dir / "b/cr.txt"), "一\r二\r三 needle\r");
}

TEST_F(BadInputTest, FoldersNested200DeepAreListedBuiltAndSearched) {
    std::string relative;
    for (int i = 1; i <= 200; ++i) {
        relative += "d" + std::to_string(i) + "/";
    }
    std::filesystem::create_directories(dir / "b/" + relative);
    WriteBytes(dir / "b/" + relative + "deep.txt", "底の本文\r\n");
    ExpectEveryJobGoesThrough();
    EXPECT_NE(Run({"ls"}).out.find(std::string(2 * 201, ' ') + "deep.txt\n"), std::string::npos);
    EXPECT_NE(ReadBytes(dir / "b.txt").find("底の本文"), std::string::npos);
    EXPECT_NE(ReadBytes(dir / "index3_.htm").find("底の本文"), std::string::npos);
    EXPECT_EQ(Run({"search", "底の"}).out, relative + "deep.txt\n");
}

// Whatever a file name holds, the pages stay well-formed HTML: names are text there, never
// markup. A name that no contents line can hold (bytes that are not UTF-8) keeps its folder
// readable: it is left out of the tree, which once lost the whole folder, and the build still
// takes its text.
TEST_F(BadInputTest, EveryCharacterAFileNameMayHold) {
    const std::vector<std::string> names = {
        "ctl\x01\x1f\x7f", "back\\slash", "q\"u'ote", "<a>&amp;", "<script>x", "tab\there",
        "nl\nline",        "cr\rret",     ".hidden",  "-dash",    "--",
    };
    for (const std::string& name : names) {
        WriteBytes(dir / "b/" + name + ".txt", "本文 of a name\r\n");
    }
    WriteBytes(dir / "b/bad\xFF\xFE.txt", "壊れた名の本文\r\n");
    MakeFolder(dir / "b/dir<&>\"");
    WriteBytes(dir / "b/dir<&>\"/in.txt", "中の本文\r\n");

    ExpectEveryJobGoesThrough();
    const std::string listing = Run({"ls"}).out;
    for (const std::string& name : names) {
        EXPECT_NE(listing.find("  " + name + ".txt\n"), std::string::npos) << name;
    }
    EXPECT_EQ(listing.find("bad\xFF"), std::string::npos);
    EXPECT_EQ(Run({"ls"}).err, "");
    EXPECT_NE(ReadBytes(dir / "b/contents.flc").find("l<a>&amp;.txt\r\n"), std::string::npos);
    EXPECT_NE(ReadBytes(dir / "b.txt").find("壊れた名の本文"), std::string::npos);
    EXPECT_NE(Run({"search", "of a name"}).out.find("q\"u'ote.txt\n"), std::string::npos);

    for (const char* page : {"index3_.htm", "index2_.htm"}) {
        SCOPED_TRACE(page);
        const std::string html = ReadBytes(dir / page);
        EXPECT_EQ(html.find("<script>"), std::string::npos);
        EXPECT_EQ(html.find("<a>"), std::string::npos);
        EXPECT_NE(html.find("&lt;a&gt;&amp;amp;"), std::string::npos);
        EXPECT_NE(html.find("\"q&quot;u'ote\""), std::string::npos);
        EXPECT_NE(html.find("dir&lt;&amp;&gt;&quot;/in\""), std::string::npos);
    }
}

// Lists that embed themselves end at the depth and count limits, and a large list embedded
// again and again ends at a bound on the bytes it brings: the page stays in the tens of
// megabytes, where it once grew to a gigabyte from a list of 100 KB.
TEST_F(BadInputTest, EmbeddedListBombsEndWithAMessage) {
    std::string list = "<IMBED>big\r\n<IMBED>big\r\n<IMBED>big\r\n";
    for (int i = 0; i < 100; ++i) {
        list += std::string(1000, 'x') + "\r\n";
    }
    WriteBytes(dir / "b/big.lst", list);
    WriteBytes(dir / "b/a.lst", "<IMBED>b\r\n");
    WriteBytes(dir / "b/b.lst", "<IMBED>a\r\n");
    WriteBytes(dir / "b/uses.txt", "<IMBED>big\r\n<IMBED>a\r\n");
    ProgramResult html = Run({"html"});
    EXPECT_EQ(html.exit_code, 0);
    EXPECT_NE(html.err.find("big.lstの埋め込みが多すぎるため"), std::string::npos);
    EXPECT_NE(html.err.find("の埋め込みが深すぎるため"), std::string::npos);
    EXPECT_LT(std::filesystem::file_size(dir / "index3_.htm"), 20u << 20);
    EXPECT_NE(ReadBytes(dir / "index3_.htm").find("ふつうの本文"), std::string::npos);
}

// Rich text written to break a reader: groups a hundred thousand deep, a \bin that claims two
// gigabytes, a picture of ten megabytes of hex, \uc counts that swallow everything. Each file
// gives what text it has and the rest of the book is built.
TEST_F(BadInputTest, RichTextBombsAreReadInBoundedTime) {
    WriteBytes(dir / "b/deep.txt",
               "{\\rtf1 " + std::string(100000, '{') + "deep" + std::string(100000, '}') + "}");
    WriteBytes(dir / "b/bin.txt", "{\\rtf1 before\\bin2000000000 xx after}");
    WriteBytes(dir / "b/bin2.txt", "{\\rtf1 before\\bin-5 xx\\bin99999999999999999999 after}");
    std::string hex;
    for (int i = 0; i < 5 << 20; ++i) {
        hex += "ab";
    }
    WriteBytes(dir / "b/pict.txt", "{\\rtf1 a{\\pict\\pngblip " + hex + "}picture-end}");
    WriteBytes(dir / "b/uc.txt",
               "{\\rtf1 \\uc2147483647\\u12354 x\\uc-1\\u-1 y\\u99999999999 z\\uc1\\u12354? "
               "uc-end}");
    ExpectEveryJobGoesThrough();
    const std::string text = ReadBytes(dir / "b.txt");
    EXPECT_NE(text.find("before"), std::string::npos);
    EXPECT_NE(text.find("picture-end"), std::string::npos);
    EXPECT_NE(text.find("uc-end"), std::string::npos);
}

}  // namespace
}  // namespace folix
