#include <gtest/gtest.h>

#include <filesystem>

#include "support/control_file_header.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::MakeFolder;
using testing::RunFolix;
using testing::TempFolder;
using testing::WriteBytes;

class SearchCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakeFolder(dir / "b/第一章");
        WriteBytes(dir / "b/b.flx", "");
        WriteBytes(dir / "b/はじめに.txt", "猫の cat");
        WriteBytes(dir / "b/第一章/雨.txt", "ＣＡＴ");
        WriteBytes(dir / "b/第一章/晴.txt", "concatenate");
        WriteBytes(dir / "b/第一章/人.txt", "山田太郎");
        WriteBytes(dir / "b/第一章/contents.flc",
                   testing::kControlFileHeader + "l雨.txt\r\nl晴.txt\r\n");
    }

    TempFolder dir;
};

TEST_F(SearchCommandTest, ListsTheMarkedFilesInTreeOrder) {
    auto result = RunFolix({"search", "b/b.flx", "cat"}, dir.path());
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out, "はじめに.txt\n第一章/雨.txt\n第一章/晴.txt\n");
    EXPECT_EQ(result.err, "");

    result = RunFolix({"search", "--case", "b/b.flx", "cat"}, dir.path());
    EXPECT_EQ(result.out, "はじめに.txt\n第一章/晴.txt\n");
    result = RunFolix({"search", "b/b.flx", "cat", "--word"}, dir.path());
    EXPECT_EQ(result.out, "はじめに.txt\n");
    result = RunFolix({"search", "b/b.flx", "山田　太郎", "--name"}, dir.path());
    EXPECT_EQ(result.out, "第一章/人.txt\n");

    // The text as read, and its ruby as typed.
    WriteBytes(dir / "b/第一章/ルビ.txt", "｜猫《ねこ》は東京《とうきょう》へ");
    for (const char* text : {"猫は東京", "とうきょう"}) {
        EXPECT_EQ(RunFolix({"search", "b/b.flx", text}, dir.path()).out, "第一章/ルビ.txt\n")
            << text;
    }
}

TEST_F(SearchCommandTest, NoHitFailsQuietlyAndTheBookIsNotMarked) {
    auto result = RunFolix({"search", "b/b.flx", "zebra"}, dir.path());
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    EXPECT_FALSE(std::filesystem::exists(dir / "b/options.flc"));
}

TEST_F(SearchCommandTest, BadUsageAndMissingBooksAreReported) {
    EXPECT_EQ(RunFolix({"search", "b/b.flx"}, dir.path()).exit_code, 2);
    EXPECT_EQ(RunFolix({"search", "b/b.flx", ""}, dir.path()).exit_code, 2);
    EXPECT_EQ(RunFolix({"search", "b/b.flx", "cat", "--all"}, dir.path()).exit_code, 2);
    auto result = RunFolix({"search", "none.flx", "cat"}, dir.path());
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_NE(result.err.find("が開けません。"), std::string::npos);
    result = RunFolix({"search", "b/はじめに.txt", "cat"}, dir.path());
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_NE(result.err.find("ツリーの検索ができません。"), std::string::npos);
}

}  // namespace
}  // namespace folix
