#include "post/episode_export.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "book/file_faults.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::Exists;
using testing::MakeFolder;
using testing::ReadBytes;
using testing::ScriptedUi;
using testing::TempFolder;
using testing::WriteBytes;

// Each platform's notation, rule by rule, and what it would show otherwise than typed.
TEST(SiteNotation, EachPlatformGetsItsOwnForm) {
    struct Row {
        PostSite site;
        std::string typed, written;
        size_t differences = 0;
    };
    const std::string long_base = "長い長い長い長い長い名前";  // 12 characters
    const Row rows[] = {
        {PostSite::kKakuyomu, "｜東京《とうきょう》《《必ず》》｜《12",
         "｜東京《とうきょう》《《必ず》》｜《12"},
        {PostSite::kNarou, "東京《とうきょう》へ", "｜東京《とうきょう》へ"},
        {PostSite::kNarou, "佐々木《ささき》", "｜佐々木《ささき》"},
        {PostSite::kNarou, "《《強調》》だ", "｜強《・》｜調《・》だ"},
        {PostSite::kNarou, "｜" + long_base + "《な》", long_base + "（な）", 1},
        {PostSite::kNarou, "｜名《ながいながいながいながい》", "名（ながいながいながいながい）", 1},
        {PostSite::kNarou, "漢字（かんじ）と（かな）と漢（カナ漢）",
         "漢字｜（かんじ）と（かな）と漢（カナ漢）"},
        {PostSite::kNarou, "｜《括弧》と12月", "《括弧》と12月"},
        {PostSite::kPixiv, "｜親文字《おやもじ》です", "[[rb:親文字 > おやもじ]]です"},
        {PostSite::kPixiv, "《《点》》", "[[rb:点 > ・]]"},
        {PostSite::kPixiv, "｜矢《->》", "矢（->）", 1},
        {PostSite::kPixiv, "｜《そのまま》12", "《そのまま》12"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        const SiteLine line = ConvertLineForSite(row.typed, row.site);
        EXPECT_EQ(line.text, row.written);
        EXPECT_EQ(line.differences.size(), row.differences);
    }
    EXPECT_EQ(PixivChapterLine("第一章"), "[chapter:第一章]");
}

class EpisodeExportTest : public ::testing::Test {
protected:
    EpisodeExportTest() : book_{dir_ / "本", dir_.path()} {
        MakeFolder(book_.root_path + "/第一章/一節");
        WriteBytes(book_.root_path + "/序.txt", "｜序《じょ》\n");
        WriteBytes(book_.root_path + "/第一章/一節/朝.txt", "朝\r\n\r\n昼");
        WriteBytes(book_.root_path + "/第一章/夜.txt", "夜");
        WriteBytes(book_.root_path + "/本.flx", "");
        WriteBytes(book_.root_path + "/menu.lst", "no episode");
    }

    TempFolder dir_;
    SiteBook book_;
    ScriptedUi ui_;
};

TEST_F(EpisodeExportTest, OneFileAnEpisodeInTreeOrderWithTheChaptersWhereTheyBegin) {
    const PostResult result = PostEpisodes(ui_, book_, PostSite::kPixiv, "");
    EXPECT_EQ(result.outcome, BuildOutcome::kWritten);
    EXPECT_EQ(result.folder, dir_ / "本-pixiv");
    EXPECT_EQ(result.written,
              (std::vector<std::string>{dir_ / "本-pixiv/001_序.txt", dir_ / "本-pixiv/002_朝.txt",
                                        dir_ / "本-pixiv/003_夜.txt"}));
    EXPECT_EQ(ReadBytes(dir_ / "本-pixiv/001_序.txt"), "[[rb:序 > じょ]]\r\n");
    EXPECT_EQ(ReadBytes(dir_ / "本-pixiv/002_朝.txt"),
              "[chapter:第一章]\r\n[chapter:一節]\r\n朝\r\n\r\n昼\r\n");
    EXPECT_EQ(ReadBytes(dir_ / "本-pixiv/003_夜.txt"), "夜\r\n");

    // The episodes not yet posted: the order numbers stay the book's.
    const PostResult rest = PostEpisodes(ui_, book_, PostSite::kNarou, "第一章/夜.txt");
    EXPECT_EQ(rest.written, std::vector<std::string>{dir_ / "本-narou/003_夜.txt"});
    ASSERT_EQ(rest.notes.size(), 1u);
    EXPECT_EQ(rest.notes[0].file, "第一章/夜.txt");
    EXPECT_EQ(rest.notes[0].message,
              "小説家になろうに投稿するには200文字以上が必要です（1文字）。");
    EXPECT_TRUE(ui_.messages.empty());

    EXPECT_EQ(PostEpisodes(ui_, book_, PostSite::kNarou, "無い.txt").outcome,
              BuildOutcome::kRefused);
    EXPECT_EQ(ui_.messages,
              std::vector<std::string>{"無い.txtはこの本のテキストファイルではありません。"});
}

// The folder is written whole or not at all: a write that fails, or a No to the question,
// leaves the folder that was there as it was, and nothing else beside the book.
TEST_F(EpisodeExportTest, AFailedOrDeclinedPostLeavesTheOldEpisodesWhole) {
    MakeFolder(dir_ / "本-kakuyomu");
    WriteBytes(dir_ / "本-kakuyomu/001_序.txt", "posted and edited");
    ui_.ExpectQuestion(false);
    EXPECT_EQ(PostEpisodes(ui_, book_, PostSite::kKakuyomu, "").outcome, BuildOutcome::kWritten);
    EXPECT_EQ(ui_.questions, std::vector<std::string>{dir_ / "本-kakuyomu" +
                                                      "はすでに存在します。上書きしますか？"});
    EXPECT_EQ(ReadBytes(dir_ / "本-kakuyomu/001_序.txt"), "posted and edited");

    SetFileFaultHook([](FileOperation operation, const std::string& path) {
        return operation == FileOperation::kWrite && path.ends_with("/002_朝.txt") ? ENOSPC : 0;
    });
    const PostResult failed = PostEpisodes(ui_, book_, PostSite::kKakuyomu, "");
    SetFileFaultHook({});
    EXPECT_EQ(failed.outcome, BuildOutcome::kIncomplete);
    EXPECT_TRUE(failed.written.empty());
    EXPECT_EQ(ui_.messages,
              std::vector<std::string>{dir_ / "本-kakuyomu/002_朝.txt" + "が開けません。(13)"});
    EXPECT_EQ(ReadBytes(dir_ / "本-kakuyomu/001_序.txt"), "posted and edited");

    ui_.ExpectQuestion(true);
    EXPECT_EQ(PostEpisodes(ui_, book_, PostSite::kKakuyomu, "").written.size(), 3u);
    EXPECT_EQ(ReadBytes(dir_ / "本-kakuyomu/001_序.txt"), "｜序《じょ》\r\n");
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
        const std::string name = entry.path().filename();
        EXPECT_TRUE(name == "本" || name == "本-kakuyomu") << name;
    }
}

}  // namespace
}  // namespace folix
