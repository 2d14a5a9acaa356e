#include <gtest/gtest.h>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::Exists;
using testing::MakeFolder;
using testing::ReadBytes;
using testing::RunFolix;
using testing::TempFolder;

TEST(NewCommand, MakesTheBookRelativeToTheCurrentFolder) {
    TempFolder dir;
    MakeFolder(dir / "books");
    auto result = RunFolix({"new", "books/novel.flx"}, dir.path());
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out, dir / "books/novel/novel.flx\n");
    EXPECT_EQ(ReadBytes(dir / "books/novel/空白.txt"), "");
    EXPECT_EQ(ReadBytes(dir / "books/novel/novel.flx"), "");
    EXPECT_EQ(result.err, "");
}

TEST(NewCommand, RefusalsExitWithOneAndTheProgramsMessage) {
    TempFolder dir;
    auto wrong = RunFolix({"new", "novel.FLX"}, dir.path());
    EXPECT_EQ(wrong.exit_code, 1);
    EXPECT_EQ(wrong.err, "ファイル名拡張子が無効です。\n");
    EXPECT_FALSE(Exists(dir / "novel"));

    MakeFolder(dir / "novel");
    auto exists = RunFolix({"new", "novel.flx"}, dir.path());
    EXPECT_EQ(exists.exit_code, 1);
    EXPECT_FALSE(exists.err.empty());
    EXPECT_FALSE(Exists(dir / "novel/novel.flx"));
}

TEST(CommandLine, BadUsageExitsWithTwo) {
    TempFolder dir;
    EXPECT_EQ(RunFolix({"new"}, dir.path()).exit_code, 2);
    EXPECT_EQ(RunFolix({"new", "a.flx", "b.flx"}, dir.path()).exit_code, 2);
    EXPECT_EQ(RunFolix({"frobnicate"}, dir.path()).exit_code, 2);
    auto help = RunFolix({"--help"}, dir.path());
    EXPECT_EQ(help.exit_code, 0);
    EXPECT_NE(help.out.find("folix new"), std::string::npos);
    auto version = RunFolix({"--version"}, dir.path());
    EXPECT_EQ(version.exit_code, 0);
    EXPECT_EQ(version.out.rfind("folix ", 0), 0u);
}

}  // namespace
}  // namespace folix
