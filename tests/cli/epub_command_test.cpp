#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/control_file_header.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::Cp932;
using testing::Exists;
using testing::MakeFolder;
using testing::ProgramInput;
using testing::ProgramResult;
using testing::ReadBytes;
using testing::RunFolix;
using testing::RunProgram;
using testing::TempFolder;
using testing::WriteBytes;

constexpr char kEpubcheckJar[] = "/usr/share/java/epubcheck.jar";
constexpr char kPython[] = "/usr/bin/python3";
// A picture of one pixel.
constexpr char kPng[] =
    "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x01\x00\x00\x00"
    "\x01\x08\x06\x00\x00\x00\x1F\x15\xC4\x89\x00\x00\x00\x0D\x49\x44\x41\x54\x78\xDA\x63\x64\x60"
    "\xF8\x5F\x0F\x00\x02\x87\x01\x80\xEB\x47\xBA\x92\x00\x00\x00\x00\x49\x45\x4E\x44\xAE\x42\x60"
    "\x82";

std::string CopySample(const TempFolder& dir) {
    std::filesystem::copy(std::string(FOLIX_SOURCE_DIR) + "/examples/sample", dir / "sample",
                          std::filesystem::copy_options::recursive);
    return "sample/sample.flx";
}

// A book as a careless or hostile sender might make it: folders nine deep, names that are
// markup, a name that is no UTF-8, a rich-text chapter, a Shift_JIS one, lists poured in (one
// of them into itself), control characters and ruby in the text, and a cover.
std::string MakeRoughBook(const TempFolder& dir) {
    const std::string root = dir / "rough";
    std::string deep = root + "/深い";
    MakeFolder(deep);
    for (int level = 2; level <= 9; ++level) {
        deep += "/" + std::to_string(level);
        MakeFolder(deep);
    }
    WriteBytes(deep + "/底.txt", "九階の下\r\n");
    WriteBytes(root + "/rough.flx", "");
    WriteBytes(root + "/A&B <\"x\">.txt", "<b>太字</b> & 「引用」\r\n\r\n\x01制御\x1B文字\r\n");
    WriteBytes(root + "/bad\xFF name.txt", "名前が壊れている\r\n");
    WriteBytes(root + "/リッチ.txt",
               "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0 MS Mincho;}}\\f0 "
               "\\'82\\'a0\\'82\\'a2\\par second\\par}");
    WriteBytes(root + "/sjis.txt", Cp932("表示と十\r\n"));
    WriteBytes(root + "/ruby.txt", "｜漢字《かんじ》と12月、《《傍点》》\r\n");
    WriteBytes(root + "/notation.flc", testing::kControlFileHeader + "true\r\nkeep\r\n2\r\n");
    WriteBytes(root + "/lists.txt",
               "前\r\n<IMBED>menu\r\n<IMBED>loop\r\n<TBL><TD>%1</TD>\r\n"
               "行 一\r\n</TBL>\r\n後\r\n");
    WriteBytes(root + "/menu.lst", "リストの中身 <i>\r\n");
    WriteBytes(root + "/loop.lst", "輪\r\n<IMBED>loop\r\n");
    WriteBytes(root + "/cover.png", std::string(kPng, sizeof kPng - 1));
    return "rough/rough.flx";
}

// A real novel of 1,339 lines, ruby on nearly every kanji, as one chapter: far over what one
// document may hold.
std::string MakeNovelBook(const TempFolder& dir) {
    const std::string root = dir / "門";
    MakeFolder(root);
    std::filesystem::copy_file(testing::CorpusPath("novels/mon.txt"), root + "/門.txt");
    WriteBytes(root + "/門.flx", "");
    return "門/門.flx";
}

// The e-book's files unpacked into the folder.
void Unpack(const std::string& epub, const std::string& folder) {
    ProgramResult unpacked = RunProgram({kPython, "-m", "zipfile", "-e", epub, folder}, "/");
    ASSERT_EQ(unpacked.exit_code, 0) << unpacked.err;
}

// What the package document's spine reads, in order: the titles of its chapters.
std::vector<std::string> SpineTitles(const std::string& content) {
    const std::string opf = ReadBytes(content + "/content.opf");
    std::vector<std::string> titles;
    const std::regex itemref("<itemref idref=\"(c[0-9]+)\"/>");
    for (std::sregex_iterator it(opf.begin(), opf.end(), itemref), end; it != end; ++it) {
        std::smatch item;
        const std::regex href("<item id=\"" + (*it)[1].str() + "\" href=\"([^\"]+)\"");
        EXPECT_TRUE(std::regex_search(opf, item, href));
        const std::string chapter = ReadBytes(content + "/" + item[1].str());
        std::smatch title;
        EXPECT_TRUE(std::regex_search(chapter, title, std::regex("<title>([^<]*)</title>")));
        titles.push_back(title[1].str());
    }
    return titles;
}

struct BookCase {
    const char* name;
    std::string (*make)(const TempFolder& dir);
    std::vector<std::string> options;
    std::string epub;
    std::vector<std::string> chapter_text;  // what the chapters hold between them
};

// Each book makes an e-book that the EPUB checker accepts without an error or a warning, and
// that holds its text escaped as text.
TEST(EpubCommand, EveryBookMakesAnEbookTheCheckerAccepts) {
    if (!Exists(kEpubcheckJar)) {
        GTEST_SKIP() << "epubcheck is not installed";
    }
    std::vector<BookCase> books = {
        {"the sample, vertical", CopySample, {"--vertical"}, "sample.epub", {"梅の木"}},
        {"the sample, horizontal",
         CopySample,
         {"--horizontal", "--title", "庭 & <日記>", "--author", "森 \"詠\"", "--language", "ja-JP"},
         "sample.epub",
         {"縁側にて"}},
        {"a rough book",
         MakeRoughBook,
         {"--vertical", "--cover", "cover.png"},
         "rough.epub",
         {"A&amp;B &lt;&quot;x&quot;&gt;", "&lt;b&gt;太字&lt;/b&gt; &amp; 「引用」", "<p><br/></p>",
          "<p>制御文字</p>", "bad\xEF\xBF\xBD name", "<p>あい</p>", "<p>表示と十</p>",
          "<p>リストの中身 &lt;i&gt;</p>", "<p>行 一</p>", "九階の下", "<h6 id=\"h10\">底</h6>",
          "<p><ruby>漢字<rt>かんじ</rt></ruby>と<span class=\"tcy\">12</span>月、<em "
          "class=\"em-sesame\">傍点</em></p>"}},
    };
    if (testing::MissingCorpus().empty()) {
        books.push_back({"a long novel",
                         MakeNovelBook,
                         {"--horizontal"},
                         "門.epub",
                         {"<ruby>宗助<rt>そうすけ</rt></ruby>"}});
    }
    for (const BookCase& c : books) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        std::vector<std::string> args{"epub", c.make(dir)};
        args.insert(args.end(), c.options.begin(), c.options.end());
        ProgramResult built = RunFolix(args, dir.path());
        ASSERT_EQ(built.exit_code, 0) << built.err;
        EXPECT_EQ(built.out, dir / c.epub + "\n");

        ProgramResult check = RunProgram({"java", "-jar", kEpubcheckJar, dir / c.epub}, dir.path());
        EXPECT_EQ(check.exit_code, 0) << check.out << check.err;
        EXPECT_NE(check.out.find("No errors or warnings detected."), std::string::npos)
            << check.out << check.err;

        Unpack(dir / c.epub, dir / "unpacked");
        // Every document under the 256 KB a reading system may take, its writing mode on html,
        // and the package telling the Kindle apps a vertical book is one.
        std::string chapters;
        for (const auto& file : std::filesystem::directory_iterator(dir / "unpacked/OEBPS")) {
            if (file.path().filename().string().starts_with("chapter")) {
                const std::string document = ReadBytes(file.path().string());
                EXPECT_LT(document.size(), 256u * 1024) << file.path();
                const bool vertical = c.options[0] == "--vertical";
                EXPECT_NE(document.find(vertical ? "class=\"vrtl\">" : "class=\"hltr\">"),
                          std::string::npos);
                EXPECT_EQ(document.find("<rp>"), std::string::npos);
                chapters += document;
            }
        }
        const std::string package = ReadBytes(dir / "unpacked/OEBPS/content.opf");
        EXPECT_EQ(package.find("<meta name=\"primary-writing-mode\" content=\"vertical-rl\"/>") !=
                      std::string::npos,
                  c.options[0] == "--vertical");
        for (const std::string& text : c.chapter_text) {
            EXPECT_NE(chapters.find(text), std::string::npos) << text;
        }
    }
}

// Two builds of the same book at the same SOURCE_DATE_EPOCH give the same bytes: the identifier
// is kept in the book, the time inside the archive and the package is the one given.
TEST(EpubCommand, TheSameBookAtTheSameTimeGivesTheSameBytes) {
    TempFolder dir;
    const std::string book = CopySample(dir);
    const ProgramInput at{"", {"SOURCE_DATE_EPOCH=1700000000", "TZ=Asia/Tokyo"}, 60};
    ASSERT_EQ(RunFolix({"epub", book}, dir.path(), at).exit_code, 0);
    const std::string first = ReadBytes(dir / "sample.epub");
    ASSERT_EQ(
        RunFolix({"epub", book}, dir.path(), {"", {"SOURCE_DATE_EPOCH=1700000000"}, 60}).exit_code,
        0);
    EXPECT_EQ(ReadBytes(dir / "sample.epub"), first);
    // The same book written elsewhere, its lines ended by LF or a lone CR, is the same e-book.
    for (const std::string line_end : {"\n", "\r"}) {
        for (const auto& file : std::filesystem::recursive_directory_iterator(dir / "sample")) {
            if (file.path().extension() == ".txt") {
                const std::string text = ReadBytes(file.path());
                WriteBytes(file.path(),
                           std::regex_replace(text, std::regex("\r\n|\n|\r"), line_end));
            }
        }
        ASSERT_EQ(RunFolix({"epub", book, "--yes"}, dir.path(), at).exit_code, 0);
        EXPECT_EQ(ReadBytes(dir / "sample.epub"), first) << "lines ended by " << int(line_end[0]);
    }
    EXPECT_EQ(first.rfind("PK\x03\x04", 0), 0u);
    EXPECT_EQ(first.substr(30, 28), "mimetypeapplication/epub+zip");
    Unpack(dir / "sample.epub", dir / "unpacked");
    EXPECT_NE(ReadBytes(dir / "unpacked/OEBPS/content.opf")
                  .find("<meta property=\"dcterms:modified\">2023-11-14T22:13:20Z</meta>"),
              std::string::npos);
}

// The spine reads the top-level folders and text files in the order the tree shows them.
TEST(EpubCommand, TheSpineFollowsTheTree) {
    TempFolder dir;
    const std::string book = CopySample(dir);
    ProgramResult listed = RunFolix({"ls", book}, dir.path());
    ASSERT_EQ(listed.exit_code, 0) << listed.err;
    std::vector<std::string> top_level;
    std::istringstream lines(listed.out);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("  ") && line[2] != ' ') {
            if (line.ends_with("/")) {
                top_level.push_back(line.substr(2, line.size() - 3));
            } else if (line.ends_with(".txt")) {
                top_level.push_back(line.substr(2, line.size() - 6));
            }
        }
    }
    ASSERT_EQ(RunFolix({"epub", book}, dir.path()).exit_code, 0);
    Unpack(dir / "sample.epub", dir / "unpacked");
    EXPECT_EQ(SpineTitles(dir / "unpacked/OEBPS"), top_level);
    EXPECT_EQ(top_level.size(), 4u);
}

struct RefusalCase {
    std::vector<std::string> options;
    int exit_code;
    std::string err;
};

// Choices that are no choices are refused before anything is written: nothing is built, and
// the e-book already there stays as it was.
TEST(EpubCommand, RefusedChoicesWriteNothing) {
    const RefusalCase cases[] = {
        {{}, 2, "epub には本のファイル(BOOK.flx)を指定します。"},
        {{"--vertical", "--horizontal"}, 2, "--vertical と --horizontal は同時に指定できません。"},
        {{"--title"}, 2, "--title の値がありません。"},
        {{"--ruby"}, 2, "epub に使えないオプションです: --ruby"},
        {{"--language", "日本"}, 1, "日本は不正です。"},
        {{"--cover", "../cover.png"}, 1, "../cover.pngは不正です。"},
        {{"--author", "行\n末"}, 1, "は不正です。"},
        {{"--no"}, 0, "sample.epubはすでに存在します。上書きしますか？"},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.err);
        TempFolder dir;
        const std::string book = CopySample(dir);
        WriteBytes(dir / "sample.epub", "the writer's own");
        std::vector<std::string> args{"epub"};
        if (c.exit_code != 2 || !c.options.empty()) {
            args.push_back(book);
        }
        args.insert(args.end(), c.options.begin(), c.options.end());
        ProgramResult run = RunFolix(args, dir.path());
        EXPECT_EQ(run.exit_code, c.exit_code);
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(ReadBytes(dir / "sample.epub"), "the writer's own");
    }
}

}  // namespace
}  // namespace folix
