#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::Exists;
using testing::ReadBytes;
using testing::RunFolix;
using testing::RunProgram;
using testing::TempFolder;

// Nothing a window needs: no display, no platform plugin chosen.
const std::vector<std::string> kNoDisplay = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};

struct HeadlessRun {
    std::vector<std::string> args;
    int exit_code;
    const char* output;  // the book-relative file the command writes, or nullptr
};

// The headless program loads no GUI library (ldd lists what the loader would map, the
// libraries' own dependencies included), and every command runs with no display at all.
TEST(HeadlessProgram, LoadsNoGuiLibraryAndRunsWithoutADisplay) {
    auto libraries = RunProgram({"ldd", FOLIX_BINARY}, ".");
    ASSERT_EQ(libraries.exit_code, 0) << libraries.err;
    for (const char* gui : {"libQt6", "libharfbuzz", "libxcb", "libX11", "libGL", "libEGL"}) {
        EXPECT_EQ(libraries.out.find(gui), std::string::npos) << gui << " in\n" << libraries.out;
    }
    // Nor the history's repository library: folix-history loads it for `folix history` alone.
    EXPECT_EQ(libraries.out.find("libgit2"), std::string::npos) << libraries.out;

    TempFolder work;
    std::filesystem::copy(std::string(FOLIX_SOURCE_DIR) + "/examples/sample", work / "sample",
                          std::filesystem::copy_options::recursive);
    const std::vector<HeadlessRun> runs = {
        {{"--version"}, 0, nullptr},
        {{"--help"}, 0, nullptr},
        {{"ls", "sample/sample.flx"}, 0, nullptr},
        {{"options", "sample/sample.flx", "html.file=index.htm", "text.allow=true"}, 0, nullptr},
        {{"html", "sample/sample.flx", "--yes"}, 0, "index.htm"},
        {{"text", "sample/sample.flx", "--yes"}, 0, "sample.txt"},
        {{"epub", "sample/sample.flx", "--yes"}, 0, "sample.epub"},
        {{"search", "sample/sample.flx", "縁側"}, 0, nullptr},
        {{"count", "sample/sample.flx", "--grid", "40x30"}, 0, nullptr},
        {{"pdf", "sample/sample.flx", "--yes"}, 0, "sample.pdf"},
        {{"post", "sample/sample.flx", "--site", "pixiv"}, 0, "sample-pixiv/001_はじめに.txt"},
        {{"post", "sample/sample.flx", "--site", "note"}, 2, nullptr},
        {{"count", "sample/sample.flx", "--grid", "9x20"}, 2, nullptr},
        {{"new", "novel.flx"}, 0, "novel/novel.flx"},
        {{"frobnicate"}, 2, nullptr},
    };
    for (const HeadlessRun& run : runs) {
        auto result = RunFolix(run.args, work.path(), {"", kNoDisplay, 60});
        EXPECT_EQ(result.exit_code, run.exit_code) << run.args[0] << ": " << result.err;
        if (run.output != nullptr) {
            EXPECT_TRUE(Exists(work / run.output)) << run.args[0];
        }
    }
}

// A book file, or nothing, starts the window program in the command's place: offscreen it
// shows the book and grabs the window. Without the window program beside it or where the
// package puts it, the command says so and leaves the book as it was.
TEST(HeadlessProgram, ABookFileOpensTheWindowProgramOrSaysItIsMissing) {
#ifdef FOLIX_SANITIZED
    GTEST_SKIP() << "the window's own tests run it under the sanitizers";
#endif
    TempFolder work;
    std::filesystem::copy(std::string(FOLIX_SOURCE_DIR) + "/examples/sample", work / "sample",
                          std::filesystem::copy_options::recursive);
    std::filesystem::create_directories(work / "home");
    const std::vector<std::string> offscreen = {
        "QT_QPA_PLATFORM=offscreen", "HOME=" + work / "home",
        "XDG_CONFIG_HOME=" + work / "home/config", "XDG_RUNTIME_DIR=" + work / "home",
        "FOLIX_SCREENSHOT=" + work / "window.png"};
    auto shown = RunFolix({"sample/sample.flx"}, work.path(), {"", offscreen, 60});
    EXPECT_EQ(shown.exit_code, 0) << shown.err;
    EXPECT_EQ(ReadBytes(work / "window.png").substr(1, 3), "PNG");

    std::filesystem::create_directories(work / "alone");
    std::filesystem::copy_file(FOLIX_BINARY, work / "alone/folix");
    const std::string text_before = ReadBytes(work / "sample/はじめに.txt");
    auto missing =
        RunProgram({work / "alone/folix", "sample/sample.flx"}, work.path(), {"", offscreen, 60});
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_NE(missing.err.find("ウィンドウを開けません"), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find("folix-window"), std::string::npos) << missing.err;
    EXPECT_EQ(ReadBytes(work / "sample/はじめに.txt"), text_before);
}

}  // namespace
}  // namespace folix
