#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::Exists;
using testing::ReadBytes;
using testing::RunFolix;
using testing::TempFolder;

// The sample book's rows: its files in tree order, its folders, the book; then, once it has a
// goal, the goal and the day. A grid outside 10 to 60 is refused before anything is read.
TEST(CountCommand, PrintsEveryFileFolderAndTheBookThenTheGoal) {
    TempFolder dir;
    std::filesystem::copy(std::string(FOLIX_SOURCE_DIR) + "/examples/sample", dir / "sample",
                          std::filesystem::copy_options::recursive);
    const auto counted = RunFolix({"count", "sample/sample.flx"}, dir.path());
    EXPECT_EQ(counted.exit_code, 0) << counted.err;
    EXPECT_EQ(counted.err, "");
    EXPECT_EQ(counted.out,
              "69\t6\t0.3\tはじめに.txt\n"
              "94\t6\t0.3\t第一章　朝/梅の木.txt\n"
              "56\t4\t0.2\t第一章　朝/鳥の声.txt\n"
              "73\t4\t0.2\t第一章　朝/縁側にて.txt\n"
              "59\t5\t0.3\t第二章　雨/六月.txt\n"
              "42\t3\t0.2\t第二章　雨/傘.txt\n"
              "37\t2\t0.1\tあとがき.txt\n"
              "223\t14\t0.7\t第一章　朝/\n"
              "101\t8\t0.4\t第二章　雨/\n"
              "430\t30\t1.5\t合計\n");
    // Counting writes nothing into the book.
    EXPECT_FALSE(Exists(dir / "sample/count.flc"));

    ASSERT_EQ(
        RunFolix({"options", "sample/sample.flx", "count.goal=2枚", "count.grid=20x10"}, dir.path())
            .exit_code,
        0);
    const auto goal = RunFolix({"count", "sample/sample.flx"}, dir.path());
    EXPECT_NE(goal.out.find("430\t30\t3.0\t合計\n目標 2枚、現在 3.0枚（150%）、今日 +0字\n"),
              std::string::npos)
        << goal.out;

    for (const char* grid : {"9x20", "20x61", "20", "20x20x20", "ax20"}) {
        const auto refused = RunFolix({"count", "sample/sample.flx", "--grid", grid}, dir.path());
        EXPECT_EQ(refused.exit_code, 2) << grid;
        EXPECT_EQ(refused.out, "") << grid;
        EXPECT_NE(refused.err.find("--grid には 1行の字数と1枚の行数を 10 から 60 までで"),
                  std::string::npos)
            << refused.err;
    }
    EXPECT_NE(ReadBytes(dir / "sample/count.flc").find("20x10\r\n2枚\r\n"), std::string::npos);
}

}  // namespace
}  // namespace folix
