#include "history/history_store.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "book/file_io.h"
#include "history/history_keeper.h"
#include "support/book_fixture.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::BookFixture;
using testing::Exists;
using testing::ReadBytes;
using testing::RunProgram;
using testing::TempFolder;
using testing::WriteBytes;
using Names = std::vector<std::string>;

std::string Git(const std::string& book, const std::vector<std::string>& args) {
    std::vector<std::string> command = {"git", "-c", "core.quotePath=false",
                                        "--git-dir=" + book + "/.folix-history"};
    command.insert(command.end(), args.begin(), args.end());
    const auto result = RunProgram(command, book);
    EXPECT_EQ(result.exit_code, 0) << result.err;
    return result.out;
}

Names Lines(const std::string& text) {
    Names lines;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

struct Recorded {
    std::vector<std::string> reports;
    HistoryKeeper keeper{[this](const std::string& message) { reports.push_back(message); }};
};

Names Described(HistoryStore& store, const std::string& file) {
    Names described;
    const auto versions = store.Versions(file);
    EXPECT_TRUE(versions) << store.error();
    for (const FileVersion& version : versions.value_or(std::vector<FileVersion>{})) {
        described.push_back(std::to_string(version.number) + " " +
                            std::string(VersionCauseLabel(version.cause)) + " " + version.path +
                            " " + store.Bytes(version).value_or("?"));
    }
    return described;
}

// Saves, a rename and a move, each a commit any Git tool reads: its message says what made it
// and where, and the file's bytes (line ends and CP932 as they were) are in it at their path.
// The history follows the file back through the rename and the move; a text saved twice is
// stored once.
TEST(HistoryStore, EveryVersionIsACommitGitReadsBackByteForByte) {
    TempFolder dir;
    const std::string book = dir / "novel";
    std::filesystem::create_directories(book + "/第一章");
    Recorded recorded;
    const std::string first = "朝。\r\n梅の木。\r\n";
    const std::string cp932 = "\x92\xa9\x81\x42\r\n";  // 朝。 in CP932
    WriteBytes(book + "/一.txt", first);
    recorded.keeper.Saved(book, book + "/一.txt", first);
    recorded.keeper.Saved(book, book + "/一.txt", cp932);
    recorded.keeper.Saved(book, book + "/一.txt", first);
    ASSERT_EQ(MovePath(book + "/一.txt", book + "/序.txt"), 0);
    recorded.keeper.AfterMove(book, book + "/一.txt", book + "/序.txt",
                              VersionRecorder::Change::kRename);
    ASSERT_EQ(MovePath(book + "/序.txt", book + "/第一章/序.txt"), 0);
    recorded.keeper.AfterMove(book, book + "/序.txt", book + "/第一章/序.txt",
                              VersionRecorder::Change::kMove);
    EXPECT_EQ(recorded.reports, Names{});

    EXPECT_EQ(Lines(Git(book, {"log", "--format=%s"})),
              (Names{"移動 第一章/序.txt ← 序.txt", "名前の変更 序.txt ← 一.txt", "保存 一.txt",
                     "保存 一.txt", "保存 一.txt"}));
    EXPECT_EQ(Git(book, {"show", "HEAD~3:一.txt"}), cp932);
    EXPECT_EQ(Git(book, {"show", "HEAD:第一章/序.txt"}), first);
    EXPECT_EQ(Git(book, {"ls-tree", "-r", "--name-only", "HEAD"}), "第一章/序.txt\n");
    // One blob for the two saves of the same text and the rename and move that carried it.
    EXPECT_EQ(Git(book, {"rev-parse", "HEAD~4:一.txt"}),
              Git(book, {"rev-parse", "HEAD:第一章/序.txt"}));
    Git(book, {"fsck", "--strict"});

    HistoryStore store(book);
    EXPECT_EQ(Described(store, "第一章/序.txt"),
              (Names{"1 保存 一.txt " + first, "2 保存 一.txt " + cp932, "3 保存 一.txt " + first,
                     "4 名前の変更 序.txt " + first, "5 移動 第一章/序.txt " + first}));
    // An old path has the versions made while the file was there.
    EXPECT_EQ(Described(store, "序.txt").size(), 4u);
    EXPECT_EQ(Described(store, "一.txt").size(), 3u);
    EXPECT_EQ(Described(store, "二.txt"), Names{});
}

// A folder renamed, moved or deleted keeps a version of every file in it, each following its
// file; hidden files and links in it are no files of the book and are not kept.
TEST(HistoryStore, AFolderTakesTheHistoryOfEveryFileInItAlong) {
    TempFolder dir;
    const std::string book = dir / "novel";
    std::filesystem::create_directories(book + "/ch/sub");
    WriteBytes(book + "/ch/a.txt", "あ");
    WriteBytes(book + "/ch/sub/b.txt", "い");
    WriteBytes(book + "/ch/.hidden", "secret");
    WriteBytes(dir / "outside.txt", "outside");
    std::filesystem::create_symlink(dir / "outside.txt", book + "/ch/link.txt");
    Recorded recorded;
    recorded.keeper.Saved(book, book + "/ch/a.txt", "あ");
    ASSERT_EQ(MovePath(book + "/ch", book + "/章"), 0);
    recorded.keeper.AfterMove(book, book + "/ch", book + "/章", VersionRecorder::Change::kRename);
    recorded.keeper.BeforeDelete(book, book + "/章");
    EXPECT_EQ(recorded.reports, Names{});

    HistoryStore store(book);
    EXPECT_EQ(Described(store, "章/a.txt"),
              (Names{"1 保存 ch/a.txt あ", "2 名前の変更 章/a.txt あ", "3 削除 章/a.txt あ"}));
    EXPECT_EQ(Described(store, "章/sub/b.txt"),
              (Names{"1 名前の変更 章/sub/b.txt い", "2 削除 章/sub/b.txt い"}));
    const std::string everything = Git(book, {"log", "--format=%s", "--name-only"});
    EXPECT_EQ(everything.find("hidden"), std::string::npos) << everything;
    EXPECT_EQ(everything.find("link"), std::string::npos) << everything;
    // Nothing outside the book folder is a file of the book.
    recorded.keeper.BeforeDelete(book, dir / "outside.txt");
    recorded.keeper.Saved(book, dir / "outside.txt", "outside");
    EXPECT_EQ(Lines(Git(book, {"log", "--format=%s"})).size(), 5u);
}

// The tree's own delete, drag and rename keep the versions through the recorder it is given.
TEST(HistoryStore, TheTreesDeleteMoveAndRenameEachKeepAVersion) {
    BookFixture book;
    book.Make({"a.txt", "ch/", "ch/x.txt"});
    WriteBytes(book.root + "/a.txt", "本文");
    book.Store("", {"la.txt", "dch"});
    const TreeItem root = book.Open(book.Attach());
    Recorded recorded;
    book.fs.SetVersionRecorder(&recorded.keeper);

    book.fs.FinishLabelEdit(book.Child(root, "a.txt"), "b");
    const TreeItem chapter = book.Open(book.Child(root, "ch"));
    book.fs.MoveItem(book.Child(root, "b.txt"), book.Child(chapter, "x.txt"));
    book.ui.ExpectQuestion(true);
    book.fs.m_hContextItem = book.Child(root, "ch");
    book.fs.Delete();
    ASSERT_FALSE(Exists(book.root + "/ch"));
    EXPECT_EQ(recorded.reports, Names{});

    HistoryStore store(book.root);
    EXPECT_EQ(Described(store, "ch/b.txt"),
              (Names{"1 名前の変更 b.txt 本文", "2 移動 ch/b.txt 本文", "3 削除 ch/b.txt 本文"}));
    EXPECT_EQ(Described(store, "ch/x.txt"), (Names{"1 削除 ch/x.txt "}));
    // Nothing of the history is in the tree.
    EXPECT_EQ(book.Names(root), Names{});
}

// A history that may not be used is said once, whatever is saved after; the file itself is
// not touched, and nothing is written through a link or beside a damaged repository.
TEST(HistoryStore, AnUnusableHistoryIsReportedOnceAndNothingIsWrittenThroughIt) {
    struct Row {
        const char* name;
        void (*make)(const std::string& book, const std::string& outside);
        const char* message;
    };
    const Row rows[] = {
        {"a link to a repository outside",
         [](const std::string& book, const std::string& outside) {
             RunProgram({"git", "init", "-q", "--bare", outside + "/repo"}, outside);
             std::filesystem::create_symlink(outside + "/repo", book + "/.folix-history");
         },
         kHistoryLinkMessage},
        {"a dangling link",
         [](const std::string& book, const std::string& outside) {
             std::filesystem::create_symlink(outside + "/none", book + "/.folix-history");
         },
         kHistoryLinkMessage},
        {"a file",
         [](const std::string& book, const std::string&) {
             WriteBytes(book + "/.folix-history", "not a repository");
         },
         kHistoryDamagedMessage},
        {"a folder of garbage",
         [](const std::string& book, const std::string&) {
             std::filesystem::create_directories(book + "/.folix-history/objects");
             WriteBytes(book + "/.folix-history/HEAD", "\x01\x02garbage");
         },
         kHistoryDamagedMessage},
        {"a repository borrowing objects from outside",
         [](const std::string& book, const std::string& outside) {
             RunProgram({"git", "init", "-q", "--bare", book + "/.folix-history"}, outside);
             WriteBytes(book + "/.folix-history/objects/info/alternates", outside + "\n");
         },
         kHistoryDamagedMessage},
        {"a repository whose objects are a link outside",
         [](const std::string& book, const std::string& outside) {
             RunProgram({"git", "init", "-q", "--bare", book + "/.folix-history"}, outside);
             std::filesystem::remove_all(book + "/.folix-history/objects");
             std::filesystem::create_directories(outside + "/objects");
             std::filesystem::create_symlink(outside + "/objects",
                                             book + "/.folix-history/objects");
         },
         kHistoryDamagedMessage},
        {"a repository whose HEAD is a FIFO",
         [](const std::string& book, const std::string& outside) {
             RunProgram({"git", "init", "-q", "--bare", book + "/.folix-history"}, outside);
             std::filesystem::remove(book + "/.folix-history/HEAD");
             ASSERT_EQ(::mkfifo((book + "/.folix-history/HEAD").c_str(), 0600), 0);
         },
         kHistoryDamagedMessage},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder dir;
        const std::string book = dir / "novel";
        const std::string outside = dir / "outside";
        std::filesystem::create_directories(book);
        std::filesystem::create_directories(outside);
        row.make(book, outside);
        const std::string listing_before =
            RunProgram({"sh", "-c", "ls -laR outside | grep -v '^total'"}, dir.path()).out;
        WriteBytes(book + "/a.txt", "本文");
        Recorded recorded;
        for (int save = 0; save < 3; ++save) {
            recorded.keeper.Saved(book, book + "/a.txt", "本文");
        }
        recorded.keeper.BeforeDelete(book, book + "/a.txt");
        EXPECT_EQ(recorded.reports, Names{row.message});
        EXPECT_EQ(ReadBytes(book + "/a.txt"), "本文");
        EXPECT_EQ(RunProgram({"sh", "-c", "ls -laR outside | grep -v '^total'"}, dir.path()).out,
                  listing_before);
        HistoryStore store(book);
        EXPECT_FALSE(store.Versions("a.txt"));
        EXPECT_EQ(store.error(), row.message);
    }
}

// A writer killed at any point of its history writes leaves a repository Git checks clean and
// the store reads and writes on.
TEST(HistoryStore, AKillDuringAHistoryWriteLeavesItReadable) {
    TempFolder dir;
    const std::string book = dir / "novel";
    std::filesystem::create_directories(book);
    for (int round = 0; round < 3; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            HistoryStore store(book);
            std::string text(200000, 'a');
            for (int i = 0;; ++i) {
                text[static_cast<size_t>(i) % text.size()] = static_cast<char>('b' + i % 20);
                store.Record("a.txt", text, VersionCause::kSave);
            }
        }
        // Killed once it is well into its writes: a number of objects, different each round.
        HistoryStore watcher(book);
        while (watcher.LooseObjects() < static_cast<size_t>(10 + 7 * round)) {
            ::usleep(1000);
        }
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        Git(book, {"fsck", "--strict"});
        HistoryStore store(book);
        const auto before = store.Versions("a.txt");
        ASSERT_TRUE(before) << store.error();
        ASSERT_FALSE(before->empty());
        EXPECT_TRUE(store.Bytes(before->back()));
        ASSERT_TRUE(store.Record("a.txt", "after", VersionCause::kSave)) << store.error();
        EXPECT_EQ(store.Versions("a.txt")->size(), before->size() + 1);
    }
    // A writer killed while it held the branch's lock leaves the lock behind: the next save's
    // version goes on all the same.
    WriteBytes(book + "/.folix-history/refs/heads/main.lock", "");
    HistoryStore store(book);
    EXPECT_TRUE(store.Record("a.txt", "after the lock", VersionCause::kSave)) << store.error();
}

// Packing keeps every version's bytes, leaves no loose object the branch reaches and one pack.
TEST(HistoryStore, RepackKeepsEveryVersionInOnePack) {
    TempFolder dir;
    const std::string book = dir / "novel";
    std::filesystem::create_directories(book);
    HistoryStore store(book);
    std::vector<std::string> texts;
    std::string text = "吾輩は猫である。名前はまだ無い。\n";
    for (int i = 0; i < 40; ++i) {
        text += std::to_string(i) + "行目\n";
        texts.push_back(text);
        ASSERT_TRUE(store.Record("猫.txt", text, VersionCause::kSave));
        if (i == 19) {
            ASSERT_TRUE(store.RepackIfNeeded(10));
        }
    }
    EXPECT_GT(store.LooseObjects(), 50u);
    EXPECT_TRUE(store.RepackIfNeeded(1000));  // too few loose ones: nothing done
    EXPECT_GT(store.LooseObjects(), 50u);
    ASSERT_TRUE(store.Repack()) << store.error();
    EXPECT_EQ(store.LooseObjects(), 0u);
    Names packs;
    for (const auto& entry :
         std::filesystem::directory_iterator(book + "/.folix-history/objects/pack")) {
        if (entry.path().extension() == ".pack") {
            packs.push_back(entry.path().filename());
        }
    }
    EXPECT_EQ(packs.size(), 1u);
    Git(book, {"fsck", "--strict"});
    HistoryStore reopened(book);
    const auto versions = reopened.Versions("猫.txt");
    ASSERT_TRUE(versions);
    ASSERT_EQ(versions->size(), texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(reopened.Bytes((*versions)[i]), texts[i]);
    }
}

}  // namespace
}  // namespace folix
