#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::ProgramInput;
using testing::ProgramResult;
using testing::ReadBytes;
using testing::RunFolix;
using testing::RunProgram;
using testing::TempFolder;
using testing::WriteBytes;

const ProgramInput kNoDisplay = {"", {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}, 120};

bool HasTool(const std::string& tool) {
    return RunProgram({"sh", "-c", "command -v " + tool}, ".").exit_code == 0;
}

// The value of one field of pdfinfo's report ("Pages", "Page size", "Title").
std::string InfoField(const std::string& pdf, const std::string& field) {
    const std::string info = "\n" + RunProgram({"pdfinfo", pdf}, ".").out;
    const size_t at = info.find("\n" + field + ":");
    if (at == std::string::npos) {
        return {};
    }
    const size_t from = info.find_first_not_of(' ', at + field.size() + 2);
    return info.substr(from, info.find('\n', from) - from);
}

// The text of pages first..last in the order it was written, without the line ends pdftotext
// puts between characters set one by one.
std::string TextOf(const std::string& pdf, int first, int last) {
    const ProgramResult text = RunProgram(
        {"pdftotext", "-raw", "-f", std::to_string(first), "-l", std::to_string(last), pdf, "-"},
        ".");
    std::string joined;
    for (char c : text.out) {
        if (c != '\n' && c != '\f' && c != ' ') {
            joined += c;
        }
    }
    return joined;
}

// The book's grid lines on a grid, as the count gives them (its 合計 row).
int CountedLines(const std::string& dir, const std::string& grid) {
    const ProgramResult count = RunFolix({"count", "sample/sample.flx", "--grid", grid}, dir);
    const size_t row = count.out.rfind('\n', count.out.find("\t合計") - 1);
    const size_t tab = count.out.find('\t', row + 1);
    return std::stoi(count.out.substr(tab + 1));
}

class PdfCommand : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"pdfinfo", "pdffonts", "pdftotext"}) {
            if (!HasTool(tool)) {
                GTEST_SKIP() << tool << " (poppler-utils) is not installed";
            }
        }
        std::filesystem::copy(std::string(FOLIX_SOURCE_DIR) + "/examples/sample", dir / "sample",
                              std::filesystem::copy_options::recursive);
    }

    ProgramResult Pdf(std::vector<std::string> options, const ProgramInput& input = kNoDisplay) {
        options.insert(options.begin(), {"pdf", "sample/sample.flx"});
        return RunFolix(options, dir.path(), input);
    }

    TempFolder dir;
};

// Every grid gives the count's sheets (rounded up) as text pages, after the title page unless
// it is left out, on the paper and in the orientation the grid and options ask for; the one font
// is embedded; the text reads in the book's order, the title page gives the 400-character
// sheets, and the metadata the title and author.
TEST_F(PdfCommand, PagesAreTheCountsSheetsAndTheTextReadsInOrder) {
    struct Case {
        std::vector<std::string> options;
        std::string grid;
        bool title_page;
        std::string page_size;
    };
    const std::vector<Case> cases = {
        {{}, "20x20", true, "595 x 842 pts (A4)"},
        {{"--grid", "40x30"}, "40x30", true, "842 x 595 pts (A4)"},
        {{"--grid", "10x10", "--no-title-page", "--ruled"}, "10x10", false, "595 x 842 pts (A4)"},
        {{"--grid", "42x34", "--portrait", "--paper", "B4", "--horizontal"},
         "42x34",
         true,
         "729 x 1032 pts"},
        {{"--grid", "20x20", "--landscape", "--paper", "A5"}, "20x20", true, "595 x 420 pts (A5)"},
    };
    const std::string pdf = dir / "sample.pdf";
    for (const Case& c : cases) {
        std::vector<std::string> options = c.options;
        options.push_back("--yes");
        const ProgramResult made = Pdf(options);
        ASSERT_EQ(made.exit_code, 0) << c.grid << ": " << made.err;
        EXPECT_EQ(made.out, pdf + "\n");
        const int lines = std::stoi(c.grid.substr(c.grid.find('x') + 1));
        const int sheets = (CountedLines(dir.path(), c.grid) + lines - 1) / lines;
        EXPECT_EQ(InfoField(pdf, "Pages"), std::to_string(sheets + (c.title_page ? 1 : 0)))
            << c.grid;
        EXPECT_NE(InfoField(pdf, "Page size").find(c.page_size), std::string::npos)
            << c.grid << ": " << InfoField(pdf, "Page size");

        const ProgramResult fonts = RunProgram({"pdffonts", pdf}, ".");
        EXPECT_NE(fonts.out.find("NotoSerifCJKjp"), std::string::npos) << fonts.out;
        // Under the header's "emb", every font's row says yes.
        const size_t emb = fonts.out.find("emb");
        const size_t rows = fonts.out.find('\n', fonts.out.find("---")) + 1;
        ASSERT_NE(emb, std::string::npos) << fonts.out;
        for (size_t row = rows; row < fonts.out.size(); row = fonts.out.find('\n', row) + 1) {
            EXPECT_EQ(fonts.out.substr(row + emb, 3), "yes") << fonts.out;
        }

        const int first = c.title_page ? 2 : 1;
        const std::string text = TextOf(pdf, first, first + sheets - 1);
        const size_t opening = text.find("この本は、小さな庭で過ごした一年の記録です。");
        EXPECT_EQ(opening, 0U) << c.grid << ": " << text.substr(0, 120);
        EXPECT_LT(text.find("梅の木"), text.find("傘")) << c.grid;
        if (c.title_page) {
            EXPECT_NE(TextOf(pdf, 1, 1).find("四百字詰め原稿用紙換算2枚"), std::string::npos)
                << TextOf(pdf, 1, 1);
        }
    }

    ASSERT_EQ(Pdf({"--title", "庭の一年", "--author", "山田 花子", "--yes"}).exit_code, 0);
    EXPECT_EQ(InfoField(pdf, "Title"), "庭の一年");
    EXPECT_NE(RunProgram({"pdfinfo", "-meta", pdf}, ".").out.find("山田 花子"), std::string::npos);
    EXPECT_NE(TextOf(pdf, 1, 1).find("庭の一年"), std::string::npos);
}

// A PDF already there that the book did not write is the writer's: --no leaves it; once the
// book has written it, it is replaced without asking. Bad options change nothing. The same book
// with SOURCE_DATE_EPOCH gives the same bytes.
TEST_F(PdfCommand, AsksBeforeReplacingAFileAndRefusesBadOptions) {
    const std::string pdf = dir / "sample.pdf";
    WriteBytes(pdf, "mine");
    EXPECT_EQ(Pdf({"--no"}).exit_code, 0);
    EXPECT_EQ(ReadBytes(pdf), "mine");
    ASSERT_EQ(Pdf({"--yes"}).exit_code, 0);
    EXPECT_EQ(ReadBytes(pdf).substr(0, 5), "%PDF-");
    ProgramInput dated = kNoDisplay;
    dated.environment.push_back("SOURCE_DATE_EPOCH=1700000000");
    ASSERT_EQ(Pdf({"--no"}, dated).exit_code, 0);  // written by the book: no question
    const std::string first = ReadBytes(pdf);
    ASSERT_EQ(Pdf({"--no"}, dated).exit_code, 0);
    EXPECT_EQ(ReadBytes(pdf), first);
    EXPECT_NE(InfoField(pdf, "CreationDate").find("2023"), std::string::npos);

    const std::vector<std::vector<std::string>> refused = {
        {"--grid", "9x20"}, {"--grid", "20"}, {"--paper", "A3"}, {"--landscape", "--portrait"},
        {"--frobnicate"},
    };
    for (const std::vector<std::string>& options : refused) {
        const ProgramResult result = Pdf(options);
        EXPECT_EQ(result.exit_code, 2) << options[0] << ": " << result.err;
        EXPECT_NE(result.err.find("folix --help"), std::string::npos) << result.err;
    }
    EXPECT_EQ(ReadBytes(pdf), first);
}

// Every character of a text page stands on the grid (pdfminer reads the positions): ruby,
// emphasis, upright digits and hanging stops included, vertical and horizontal.
TEST_F(PdfCommand, EveryCharacterStandsOnTheGrid) {
    if (RunProgram({"/usr/bin/python3", "-c", "import pdfminer"}, ".").exit_code != 0) {
        GTEST_SKIP() << "python3-pdfminer is not installed";
    }
    WriteBytes(
        dir / "sample/はじめに.txt",
        "　｜吾輩《わがはい》は猫である。名前はまだ無い。どこで生れたかとんと見当《けんとう》"
        "がつかぬ。\n「何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは《《記憶》》"
        "している」\n　12月の或る日、彼は!?と叫んだ。\n");
    const std::string script = std::string(FOLIX_SOURCE_DIR) + "/tests/cli/pdf_grid_check.py";
    for (const char* grid : {"20x20", "40x30"}) {
        for (const bool horizontal : {false, true}) {
            std::vector<std::string> options = {"--grid", grid, "--ruled", "--yes"};
            if (horizontal) {
                options.push_back("--horizontal");
            }
            ASSERT_EQ(Pdf(options).exit_code, 0);
            const std::string g = grid;
            const ProgramResult check =
                RunProgram({"/usr/bin/python3", script, dir / "sample.pdf", g.substr(0, 2),
                            g.substr(3), horizontal ? "horizontal" : "vertical", "2"},
                           ".");
            EXPECT_EQ(check.exit_code, 0) << grid << (horizontal ? " horizontal" : "") << "\n"
                                          << check.out << check.err;
        }
    }
    EXPECT_NE(TextOf(dir / "sample.pdf", 2, 2).find("吾輩"), std::string::npos);
}

}  // namespace
}  // namespace folix
