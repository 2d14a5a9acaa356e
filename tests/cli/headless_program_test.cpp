#include <gtest/gtest.h>

#include <algorithm>
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

// The libraries the loader maps while a command runs, as it reports them (LD_DEBUG=files
// names every one, those opened at run time too): ldd only tells what the program is linked
// against. One line each, "file=libcurl.so.4 [0];  needed by …".
std::vector<std::string> LoadedLibraries(const std::string& err) {
    std::vector<std::string> loaded;
    size_t at = 0;
    while ((at = err.find("file=", at)) != std::string::npos) {
        at += 5;
        const size_t end = err.find_first_of(" \t\n", at);
        loaded.push_back(err.substr(at, end - at));
    }
    return loaded;
}

struct LoadedRun {
    std::vector<std::string> args;
    std::vector<std::string> loaded;      // the start of a name the loader must map
    std::vector<std::string> not_loaded;  // nor any library whose name starts so
};

// Each command loads only what its own job needs: the C++ runtime is in the program, Qt comes
// with the window and the PDF, libcurl with the upload, libgit2 with the history and libzip when
// the first e-book is made, each by the program or the moment that needs it.
TEST(HeadlessProgram, EachCommandMapsOnlyTheLibrariesItsJobNeeds) {
#ifdef FOLIX_SANITIZED
    GTEST_SKIP() << "the sanitizers' runtime is loaded into every program";
#endif
    TempFolder work;
    std::filesystem::copy(std::string(FOLIX_SOURCE_DIR) + "/examples/sample", work / "sample",
                          std::filesystem::copy_options::recursive);
    ASSERT_EQ(RunFolix({"options", "sample/sample.flx", "html.file=index.htm", "text.allow=true"},
                       work.path())
                  .exit_code,
              0);
    const std::vector<std::string> heavy = {"libQt6", "libcurl", "libgit2", "libzip", "libssl",
                                            "libgnutls", "libicu", "libstdc++"};
    const std::vector<LoadedRun> runs = {
        {{"--version"}, {}, heavy},
        {{"ls", "sample/sample.flx"}, {}, heavy},
        {{"html", "sample/sample.flx", "--yes"}, {}, heavy},
        {{"text", "sample/sample.flx", "--yes"}, {}, heavy},
        {{"count", "sample/sample.flx"}, {}, heavy},
        {{"search", "sample/sample.flx", "縁側"}, {}, heavy},
        {{"epub", "sample/sample.flx", "--yes"}, {"libzip"}, {"libQt6", "libcurl", "libgit2"}},
        // Handed to folix-upload, which refuses the missing book after the loader mapped it.
        {{"upload"}, {"libcurl"}, {"libQt6", "libgit2"}},
    };
    for (const LoadedRun& run : runs) {
        auto result = RunFolix(run.args, work.path(), {"", {"LD_DEBUG=files"}, 60});
        const std::vector<std::string> loaded = LoadedLibraries(result.err);
        ASSERT_FALSE(loaded.empty()) << run.args[0] << ": no loader report in\n" << result.err;
        const auto maps = [&](const std::string& prefix) {
            return std::any_of(loaded.begin(), loaded.end(), [&](const std::string& name) {
                return name.rfind(prefix, 0) == 0 || name.find("/" + prefix) != std::string::npos;
            });
        };
        for (const std::string& library : run.loaded) {
            EXPECT_TRUE(maps(library)) << run.args[0] << " maps no " << library;
        }
        for (const std::string& library : run.not_loaded) {
            EXPECT_FALSE(maps(library)) << run.args[0] << " maps " << library;
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
