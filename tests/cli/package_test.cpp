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
using testing::RunFolix;
using testing::RunProgram;
using testing::TempFolder;

// The synopsis of each command `folix --help` lists ("folix new DIR/NAME.flx", …): the text of
// a "  folix …" line up to the gap before its description.
std::vector<std::string> HelpSynopses(const std::string& help) {
    std::vector<std::string> synopses;
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("  folix ", 0) == 0) {
            synopses.push_back(line.substr(2, line.find("  ", 2) - 2));
        }
    }
    return synopses;
}

// The package as a user gets it: CPack builds it from this build, it is unpacked without root,
// and the unpacked program shows the build's version, builds the sample book, opens it in the
// window program installed beside it and has its manual page, which lists every command of --help.
// The metainfo validates, dpkg-shlibdeps gave the dependencies, and lintian finds no error.
TEST(DebianPackage, UnpackedProgramBuildsTheSampleAndLintianFindsNoError) {
#ifdef FOLIX_SANITIZED
    GTEST_SKIP() << "the package is made from the normal build";
#endif
    TempFolder work;
    const std::string build_dir = std::filesystem::path(FOLIX_BINARY).parent_path().string();
    auto packed = RunProgram(
        {"cpack", "--config", build_dir + "/CPackConfig.cmake", "-B", work / "out"}, work.path());
    ASSERT_EQ(packed.exit_code, 0) << packed.out << packed.err;
    const std::string deb = work / ("out/folix_" FOLIX_VERSION "_amd64.deb");
    ASSERT_TRUE(Exists(deb)) << packed.out;

    EXPECT_EQ(RunProgram({"dpkg-deb", "-f", deb, "Version"}, work.path()).out, FOLIX_VERSION "\n");
    EXPECT_NE(
        RunProgram({"dpkg-deb", "-f", deb, "Depends"}, work.path()).out.find("libqt6widgets6"),
        std::string::npos);
    const std::string root = work / "root";
    ASSERT_EQ(RunProgram({"dpkg-deb", "-x", deb, root}, work.path()).exit_code, 0);
    const std::string program = root + "/usr/bin/folix";
    EXPECT_EQ(RunProgram({program, "--version"}, work.path()).out, "folix " FOLIX_VERSION "\n");

    std::filesystem::copy(std::string(FOLIX_SOURCE_DIR) + "/examples/sample", work / "sample",
                          std::filesystem::copy_options::recursive);
    auto set =
        RunProgram({program, "options", "sample/sample.flx", "html.file=index.htm"}, work.path());
    ASSERT_EQ(set.exit_code, 0) << set.err;
    auto built = RunProgram({program, "html", "sample/sample.flx"}, work.path());
    EXPECT_EQ(built.exit_code, 0) << built.err;
    EXPECT_TRUE(Exists(work / "index.htm"));
    // The manuscript program installed beside the window program, with no display.
    auto pdf = RunProgram({program, "pdf", "sample/sample.flx"}, work.path(),
                          {"", {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}, 60});
    EXPECT_EQ(pdf.exit_code, 0) << pdf.err;
    EXPECT_TRUE(Exists(work / "sample.pdf")) << pdf.err;
    // The book file starts the window program from where the package put it.
    std::filesystem::create_directories(work / "home");
    auto shown = RunProgram(
        {program, "sample/sample.flx"}, work.path(),
        {"",
         {"QT_QPA_PLATFORM=offscreen", "HOME=" + work / "home", "XDG_CONFIG_HOME=" + work / "home",
          "XDG_RUNTIME_DIR=" + work / "home", "FOLIX_SCREENSHOT=" + work / "window.png"},
         60});
    EXPECT_EQ(shown.exit_code, 0) << shown.err;
    EXPECT_TRUE(Exists(work / "window.png")) << shown.err;

    auto page = RunProgram({"man", "-l", root + "/usr/share/man/man1/folix.1.gz"}, work.path(),
                           {"", {"MANWIDTH=200", "LC_ALL=C.UTF-8"}});
    ASSERT_EQ(page.exit_code, 0) << page.err;
    const std::vector<std::string> synopses = HelpSynopses(RunFolix({"--help"}, work.path()).out);
    EXPECT_GE(synopses.size(), 7u);
    for (const std::string& synopsis : synopses) {
        EXPECT_NE(page.out.find(synopsis), std::string::npos) << "not in folix(1): " << synopsis;
    }

    auto metainfo = RunProgram({"appstreamcli", "validate", "--no-net",
                                root + "/usr/share/metainfo/jp.morivane.folix.metainfo.xml"},
                               work.path());
    EXPECT_EQ(metainfo.exit_code, 0) << metainfo.out;

    auto lint = RunProgram({"lintian", "--tag-display-limit", "0", deb}, work.path());
    EXPECT_EQ(("\n" + lint.out).find("\nE: "), std::string::npos) << lint.out;
}

}  // namespace
}  // namespace folix
