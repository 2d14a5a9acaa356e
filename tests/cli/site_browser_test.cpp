#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::Exists;
using testing::ProgramResult;
using testing::RunFolix;
using testing::RunProgram;
using testing::TempFolder;

// Headless Chromium as root, with nothing that reaches for the network; file pages may read
// each other so that the check page can look into the frames.
ProgramResult Chromium(const TempFolder& profile, const std::vector<std::string>& args) {
    std::vector<std::string> command{"chromium-headless-shell",
                                     "--headless",
                                     "--no-sandbox",
                                     "--disable-gpu",
                                     "--disable-quic",
                                     "--no-first-run",
                                     "--disable-background-networking",
                                     "--disable-component-update",
                                     "--disable-sync",
                                     "--user-data-dir=" + profile.path(),
                                     "--allow-file-access-from-files",
                                     "--enable-logging=stderr",
                                     "--v=0",
                                     "--virtual-time-budget=20000"};
    command.insert(command.end(), args.begin(), args.end());
    return RunProgram(command, profile.path());
}

// The lines of the check page's report, taken from the dumped document.
std::vector<std::string> ReportLines(const std::string& dom) {
    const std::string open = "<pre id=\"result\">";
    const size_t start = dom.find(open);
    const size_t end = dom.find("</pre>", start);
    std::vector<std::string> lines;
    if (start == std::string::npos || end == std::string::npos) {
        return lines;
    }
    std::istringstream report(dom.substr(start + open.size(), end - start - open.size()));
    for (std::string line; std::getline(report, line);) {
        lines.push_back(line);
    }
    return lines;
}

size_t CountStarting(const std::vector<std::string>& lines, const std::string& prefix) {
    size_t count = 0;
    for (const std::string& line : lines) {
        count += line.rfind(prefix, 0) == 0;
    }
    return count;
}

struct Layout {
    const char* name;
    std::vector<std::string> options;
    bool vertical;
    bool notation = false;  // the sample's first page starts in the notation, built with it on
    const char* picture = nullptr;  // the main page kept as this picture in the build folder
};

// Lines in the web-novel notation, for the layouts built with the notation on.
constexpr char kNotationPage[] =
    "｜庭《にわ》の梅《うめ》は、《《毎朝》》見に行った。\r\n"
    "春告草《はるつげぐさ》とも呼ぶ。12月25日、雪!?\r\n";

// The sample book built in each layout and every page loaded in a real browser: no script
// error, the vertical pages laid out vertical-rl and opened at the start of the book, every
// contents link landing on an anchor, and Japanese drawn in a Japanese face (no boxes).
// The frames layout's main page is also kept as a picture, build/site.png, for the README, and
// the vertical page in the notation as build/notation.png.
TEST(SiteInABrowser, EveryLayoutOfTheSampleReadsAsWritten) {
    const Layout layouts[] = {
        {"no frames", {"html.frame=false", "html.top-bottom=false", "html.vertical=false"}, false},
        {"contents at the left",
         {"html.frame=true", "html.top-bottom=false", "html.vertical=false"},
         false,
         false,
         "site.png"},
        {"top and bottom frames",
         {"html.frame=true", "html.top-bottom=true", "html.vertical=false"},
         false},
        {"vertical with frames",
         {"html.frame=true", "html.top-bottom=false", "html.vertical=true"},
         true},
        {"vertical without frames",
         {"html.frame=false", "html.top-bottom=false", "html.vertical=true"},
         true},
        {"notation",
         {"html.frame=false", "html.top-bottom=false", "html.vertical=false", "html.notation=true"},
         false,
         true},
        {"vertical notation",
         {"html.frame=true", "html.top-bottom=false", "html.vertical=true", "html.notation=true"},
         true,
         true,
         "notation.png"},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        TempFolder dir;
        std::filesystem::copy(std::string(FOLIX_SOURCE_DIR) + "/examples/sample", dir / "sample",
                              std::filesystem::copy_options::recursive);
        if (layout.notation) {
            const std::string first = dir / "sample/はじめに.txt";
            testing::WriteBytes(first, kNotationPage + testing::ReadBytes(first));
        }
        std::vector<std::string> set{"options", "sample/sample.flx"};
        set.insert(set.end(), layout.options.begin(), layout.options.end());
        ASSERT_EQ(RunFolix(set, dir.path()).exit_code, 0);
        auto built = RunFolix({"html", "sample/sample.flx"}, dir.path());
        ASSERT_EQ(built.exit_code, 0) << built.err;
        std::string pages;
        std::istringstream written(built.out);
        for (std::string path; std::getline(written, path);) {
            if (path.ends_with(".htm")) {
                pages += (pages.empty() ? "" : ",") + path.substr(path.rfind('/') + 1);
            }
        }
        std::filesystem::copy_file(
            std::string(FOLIX_SOURCE_DIR) + "/tests/cli/browser/site_check.htm", dir / "check.htm");

        TempFolder profile;
        auto run = Chromium(profile, {"--dump-dom", "file://" + dir / "check.htm?pages=" + pages});
        const std::vector<std::string> report = ReportLines(run.out);
        ASSERT_FALSE(report.empty()) << run.out << run.err;
        for (const std::string& line : report) {
            EXPECT_NE(line.rfind("FAIL", 0), 0u) << line;
        }
        std::istringstream log(run.err);
        for (std::string line; std::getline(log, line);) {
            EXPECT_FALSE(line.find(":CONSOLE") != std::string::npos &&
                         line.find("Uncaught") != std::string::npos)
                << line;
        }
        EXPECT_GT(CountStarting(report, "SEEN glyph"), 0u);
        EXPECT_GT(CountStarting(report, "SEEN link"), 0u);
        EXPECT_EQ(CountStarting(report, "SEEN vertical") > 0, layout.vertical);
        EXPECT_EQ(CountStarting(report, "SEEN start"), CountStarting(report, "SEEN vertical"));
        // 庭, 梅 and 春告草 carry ruby, 毎朝 dots, and in vertical writing 12, 25 and !? stand.
        EXPECT_EQ(
            CountStarting(report, layout.vertical ? "SEEN ruby right of" : "SEEN ruby above") % 3,
            0u);
        EXPECT_EQ(CountStarting(report, "SEEN ruby") > 0, layout.notation);
        EXPECT_EQ(CountStarting(report, "SEEN emphasis") > 0, layout.notation);
        EXPECT_EQ(CountStarting(report, "SEEN upright") % 3, 0u);
        EXPECT_EQ(CountStarting(report, "SEEN upright") > 0, layout.notation && layout.vertical);

        if (layout.picture != nullptr) {
            const std::string picture =
                std::filesystem::path(FOLIX_BINARY).parent_path().string() + "/" + layout.picture;
            std::filesystem::remove(picture);
            auto shot = Chromium(profile, {"--window-size=1000,640", "--screenshot=" + picture,
                                           "file://" + dir / "niwa.htm"});
            EXPECT_TRUE(Exists(picture)) << shot.err;
        }
    }
}

}  // namespace
}  // namespace folix
