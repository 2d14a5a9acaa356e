#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::ReadBytes;
using testing::RunFolix;
using testing::TempFolder;
using testing::WriteBytes;

TEST(LsCommand, PrintsTheSampleBookInItsStoredOrder) {
    TempFolder dir;
    std::filesystem::copy(std::string(FOLIX_SOURCE_DIR) + "/examples/sample", dir / "sample",
                          std::filesystem::copy_options::recursive);
    auto result = RunFolix({"ls", "sample/sample.flx"}, dir.path());
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out,
              "sample/\n"
              "  はじめに.txt\n"
              "  第一章　朝/\n"
              "    梅の木.txt\n"
              "    鳥の声.txt\n"
              "    縁側にて.txt\n"
              "  第二章　雨/\n"
              "    六月.txt\n"
              "    傘.txt\n"
              "  あとがき.txt\n");
    EXPECT_EQ(result.err, "");
}

TEST(LsCommand, InvalidOrderIsReportedAndTheListingGoesOn) {
    TempFolder dir;
    testing::MakeFolder(dir / "b/ch");
    WriteBytes(dir / "b/b.flx", "");
    WriteBytes(dir / "b/one.txt", "");
    WriteBytes(dir / "b/ch/two.txt", "");
    WriteBytes(dir / "b/ch/contents.flc", "mine\r\n");
    auto result = RunFolix({"ls", "b/b.flx"}, dir.path());
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.out, "b/\n  ch/\n  one.txt\n");
    EXPECT_NE(result.err.find("の内容が不正です。"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir / "b/ch/contents.flc"), "mine\r\n");
}

TEST(LsCommand, MissingOrNonBookFileFails) {
    TempFolder dir;
    EXPECT_EQ(RunFolix({"ls", "none.flx"}, dir.path()).exit_code, 1);
    WriteBytes(dir / "page.txt", "");
    auto result = RunFolix({"ls", "page.txt"}, dir.path());
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_NE(result.err.find("ツリーが表示されていないので"), std::string::npos);
    EXPECT_EQ(RunFolix({"ls"}, dir.path()).exit_code, 2);
}

}  // namespace
}  // namespace folix
