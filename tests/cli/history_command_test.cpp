#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "history/history_store.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::ReadBytes;
using testing::RunFolix;
using testing::RunProgram;
using testing::TempFolder;
using testing::WriteBytes;

// The book novel/ with 一.txt saved three times by the window (the versions as its save hook
// keeps them) and then renamed to 序.txt by the tree.
class HistoryCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RunFolix({"new", "novel.flx"}, dir.path()).exit_code, 0);
        HistoryStore store(book);
        for (const std::string& text : texts) {
            ASSERT_TRUE(store.Record("一.txt", text, VersionCause::kSave));
        }
        WriteBytes(book + "/序.txt", texts.back());
        ASSERT_TRUE(store.Record("序.txt", texts.back(), VersionCause::kRename, "一.txt"));
    }

    std::string Log() {
        return RunProgram({"git", "--git-dir=" + book + "/.folix-history", "log", "--format=%s"},
                          book)
            .out;
    }

    TempFolder dir;
    const std::string book = dir / "novel";
    const std::vector<std::string> texts = {"吾輩は猫である。\r\n",
                                            "吾輩は｜猫《ねこ》である。\r\n",
                                            "吾輩は猫である。\r\n名前はまだ無い。\r\n"};
};

// One line a version, oldest first: number, local time, what made it, 文字数 (notation
// applied), the path at the time.
TEST_F(HistoryCommandTest, ListsEveryVersionFollowingTheFileThroughItsRename) {
    const auto listed = RunFolix({"history", "novel/novel.flx", "序.txt"}, dir.path());
    EXPECT_EQ(listed.exit_code, 0) << listed.err;
    EXPECT_EQ(listed.err, "");
    const std::regex line(R"((\d+)\t\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\t([^\t]+)\t(\d+)\t(.+))");
    std::vector<std::string> rows;
    std::string out = listed.out;
    for (std::smatch match; std::regex_search(out, match, line); out = match.suffix()) {
        rows.push_back(match[1].str() + " " + match[2].str() + " " + match[3].str() + " " +
                       match[4].str());
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"1 保存 8 一.txt", "2 保存 8 一.txt",
                                              "3 保存 16 一.txt", "4 名前の変更 16 序.txt"}))
        << listed.out;

    const auto none = RunFolix({"history", "novel/novel.flx", "空白.txt"}, dir.path());
    EXPECT_EQ(none.exit_code, 0);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "「空白.txt」の履歴はありません。\n");
}

TEST_F(HistoryCommandTest, ShowWritesAVersionsBytesAsTheyWere) {
    for (int number = 1; number <= 3; ++number) {
        const auto shown =
            RunFolix({"history", "novel/novel.flx", "./序.txt", "--show", std::to_string(number)},
                     dir.path());
        EXPECT_EQ(shown.exit_code, 0) << shown.err;
        EXPECT_EQ(shown.out, texts[static_cast<size_t>(number - 1)]);
    }
}

// The current text becomes a version first (once: not when it is the newest already), then
// the file takes the chosen version's bytes, kept as a 復元.
TEST_F(HistoryCommandTest, RestoreKeepsTheCurrentTextThenPutsTheVersionInPlace) {
    WriteBytes(book + "/序.txt", "書きかけ\r\n");
    const auto restored =
        RunFolix({"history", "novel/novel.flx", "序.txt", "--restore", "2"}, dir.path());
    EXPECT_EQ(restored.exit_code, 0) << restored.err;
    EXPECT_EQ(restored.err, "「序.txt」を版2に戻しました。\n");
    EXPECT_EQ(ReadBytes(book + "/序.txt"), texts[1]);
    EXPECT_EQ(Log(),
              "復元 序.txt\n保存 序.txt\n名前の変更 序.txt ← 一.txt\n保存 一.txt\n"
              "保存 一.txt\n保存 一.txt\n");
    EXPECT_EQ(RunFolix({"history", "novel/novel.flx", "序.txt", "--show", "5"}, dir.path()).out,
              "書きかけ\r\n");

    ASSERT_EQ(
        RunFolix({"history", "novel/novel.flx", "序.txt", "--restore", "1"}, dir.path()).exit_code,
        0);
    EXPECT_EQ(ReadBytes(book + "/序.txt"), texts[0]);
    EXPECT_EQ(Log().substr(0, std::string("復元 序.txt\n復元 序.txt\n").size()),
              "復元 序.txt\n復元 序.txt\n");
}

// Bad usage is 2, a version that is not there or a history that cannot be read 1; nothing is
// written by either.
TEST_F(HistoryCommandTest, RefusesBadArgumentsAndMissingVersionsWithoutWriting) {
    struct Row {
        std::vector<std::string> args;
        int exit_code;
        const char* message;
    };
    const Row rows[] = {
        {{"history", "novel/novel.flx"}, 2, "history には本のファイル(BOOK.flx)と"},
        {{"history", "novel/novel.flx", "序.txt", "--show"}, 2, "--show の値がありません。"},
        {{"history", "novel/novel.flx", "序.txt", "--show", "0"}, 2, "--show には版の番号"},
        {{"history", "novel/novel.flx", "序.txt", "--show", "2x"}, 2, "--show には版の番号"},
        {{"history", "novel/novel.flx", "序.txt", "--restore", "-1"}, 2, "--restore には版の番号"},
        {{"history", "novel/novel.flx", "序.txt", "--show", "1", "--restore", "1"},
         2,
         "history には本のファイル"},
        {{"history", "novel/novel.flx", "序.txt", "--all"}, 2, "history に使えないオプションです"},
        {{"history", "novel/novel.flx", "../序.txt"}, 2, "本のフォルダから見たパスで"},
        {{"history", "novel/novel.flx", "/etc/passwd"}, 2, "本のフォルダから見たパスで"},
        {{"history", "novel/novel.flx", ".folix-history/HEAD"}, 2, "本のフォルダから見たパスで"},
        {{"history", "novel/novel.flx", "序.txt", "--show", "5"},
         1,
         "「序.txt」に版5はありません。"},
        {{"history", "novel/novel.flx", "序.txt", "--restore", "99"},
         1,
         "「序.txt」に版99はありません。"},
        {{"history", "missing.flx", "序.txt"}, 1, "missing.flxが開けません。(2)"},
    };
    const std::string log = Log();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.back());
        const auto result = RunFolix(row.args, dir.path());
        EXPECT_EQ(result.exit_code, row.exit_code) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(row.message), std::string::npos) << result.err;
    }
    EXPECT_EQ(Log(), log);
    EXPECT_EQ(ReadBytes(book + "/序.txt"), texts.back());
}

// The history is never part of the book: not in the tree, a search, the site or the e-book.
TEST_F(HistoryCommandTest, TheHistoryIsInNoListingSearchOrBuild) {
    EXPECT_EQ(RunFolix({"ls", "novel/novel.flx"}, dir.path()).out.find("folix-history"),
              std::string::npos);
    const auto found = RunFolix({"search", "novel/novel.flx", "main", "--name"}, dir.path());
    EXPECT_EQ(found.out, "");
    ASSERT_EQ(RunFolix({"options", "novel/novel.flx", "html.file=index.htm", "text.allow=true"},
                       dir.path())
                  .exit_code,
              0);
    const auto built = RunFolix({"html", "novel/novel.flx"}, dir.path());
    EXPECT_EQ(built.exit_code, 0) << built.err;
    EXPECT_EQ(built.out.find("history"), std::string::npos) << built.out;
    ASSERT_EQ(RunFolix({"text", "novel/novel.flx"}, dir.path()).exit_code, 0);
    // Only the file's current text is the book's; an older version's ruby is in no output.
    EXPECT_NE(ReadBytes(dir / "novel.txt").find("名前はまだ無い"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir / "novel.txt").find("ねこ"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir / "index.htm").find("ねこ"), std::string::npos);
}

}  // namespace
}  // namespace folix
