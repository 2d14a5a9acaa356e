#include "book/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "book/file_faults.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// The names in a folder, temporary files included.
std::vector<std::string> Names(const TempFolder& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Fails every file operation of one kind while it lives.
class FailEvery {
public:
    FailEvery(FileOperation operation, int error) {
        SetFileFaultHook([operation, error](FileOperation asked, const std::string&) {
            return asked == operation ? error : 0;
        });
    }
    ~FailEvery() { SetFileFaultHook({}); }
};

// Text longer than the writer's buffer, so that it reaches the disk in several writes.
std::string LongText(char first) {
    std::string text;
    for (int i = 0; text.size() < 3'000'000; ++i) {
        text += first;
        text += std::to_string(i) + "行目\r\n";
    }
    return text;
}

TEST(AtomicFileWriter, PiecesAndAScratchFileMakeTheFileInTheirOrderKeepingItsMode) {
    TempFolder dir;
    const std::string path = dir / "page.htm";
    WriteBytes(path, "old");
    ::chmod(path.c_str(), 0640);
    const std::string head = "head\r\n";
    const std::string body = LongText('b');
    const std::string tail = LongText('t');
    {
        ScratchFile scratch(path);
        // Small pieces, and one larger than the buffer.
        for (size_t at = 0; at < body.size(); at += 1000) {
            scratch.Append(std::string_view(body).substr(at, 1000));
        }
        AtomicFileWriter writer(path);
        writer.Append(head);
        writer.AppendFile(scratch);
        writer.Append(tail);
        EXPECT_EQ(ReadBytes(path), "old") << "replaced before the commit";
        EXPECT_EQ(writer.Commit(), 0);
        EXPECT_EQ(writer.size(), head.size() + body.size() + tail.size());
    }
    EXPECT_EQ(ReadBytes(path), head + body + tail);
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"page.htm"});
}

TEST(AtomicFileWriter, AnEmptyScratchFileAndAnEmptyWriterMakeAnEmptyFile) {
    TempFolder dir;
    {
        ScratchFile scratch(dir / "new.txt");
        AtomicFileWriter writer(dir / "new.txt");
        writer.AppendFile(scratch);
        EXPECT_EQ(writer.Commit(), 0);
    }
    EXPECT_EQ(ReadBytes(dir / "new.txt"), "");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"new.txt"});
}

TEST(AtomicFileWriter, AWriterLeftWithoutCommitLeavesTheOldFileAndNoTemporaryFile) {
    TempFolder dir;
    const std::string path = dir / "book.txt";
    WriteBytes(path, "old text");
    {
        ScratchFile scratch(path);
        scratch.Append(LongText('s'));
        AtomicFileWriter writer(path);
        writer.Append(LongText('w'));
        writer.AppendFile(scratch);
        // A declined question: the writer just goes.
    }
    EXPECT_EQ(ReadBytes(path), "old text");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"book.txt"});
}

TEST(AtomicFileWriter, AFailureHalfWayLeavesTheOldFileWholeAndNoTemporaryFile) {
    TempFolder dir;
    const std::string path = dir / "book.txt";
    WriteBytes(path, "old text");
    struct Case {
        const char* name;
        FileOperation operation;
        bool through_scratch;  // the failure is the scratch file's, found when it is copied
        int error = ENOSPC;
    };
    for (const Case& c : {Case{"disk full", FileOperation::kWrite, false},
                          Case{"scratch disk full", FileOperation::kWrite, true},
                          Case{"no room for the scratch file", FileOperation::kCreate, true},
                          Case{"no temporary file", FileOperation::kCreate, false},
                          Case{"sync failed", FileOperation::kSync, false, EIO},
                          Case{"rename refused", FileOperation::kRename, false}}) {
        SCOPED_TRACE(c.name);
        std::optional<ScratchFile> scratch;
        {
            std::optional<FailEvery> fault;
            if (c.through_scratch) {
                fault.emplace(c.operation, c.error);
            }
            scratch.emplace(path);
            scratch->Append(LongText('s'));
        }
        std::optional<FailEvery> fault;
        if (!c.through_scratch) {
            fault.emplace(c.operation, c.error);
        }
        AtomicFileWriter writer(path);
        writer.Append(LongText('w'));
        writer.AppendFile(*scratch);
        writer.Append("the end\r\n");
        EXPECT_EQ(writer.Commit(), c.error);
        EXPECT_EQ(writer.Commit(), c.error) << "a failure sticks";
        scratch.reset();
        EXPECT_EQ(ReadBytes(path), "old text");
        EXPECT_EQ(Names(dir), std::vector<std::string>{"book.txt"});
    }
}

TEST(AtomicFileWriter, AReadOnlyTargetIsRefusedAndKept) {
    TempFolder dir;
    const std::string path = dir / "book.txt";
    WriteBytes(path, "old text");
    ::chmod(path.c_str(), 0444);
    AtomicFileWriter writer(path);
    writer.Append("new");
    EXPECT_EQ(writer.Commit(), EACCES);
    EXPECT_EQ(ReadBytes(path), "old text");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"book.txt"});
}

// A book may come from someone else: a link in it could lead anywhere, so nothing is written
// through one, nor over it, whether it leads to a file or nowhere yet.
TEST(AtomicFileWriter, ALinkIsRefused) {
    TempFolder dir;
    WriteBytes(dir / "real.txt", "old");
    std::filesystem::create_symlink("real.txt", dir / "link.txt");
    std::filesystem::create_symlink("missing.txt", dir / "dangling.txt");
    for (const char* link : {"link.txt", "dangling.txt"}) {
        AtomicFileWriter writer(dir / link);
        writer.Append("new");
        EXPECT_EQ(writer.Commit(), ELOOP) << link;
        EXPECT_TRUE(std::filesystem::is_symlink(dir / link));
    }
    EXPECT_EQ(ReadBytes(dir / "real.txt"), "old");
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"dangling.txt", "link.txt", "real.txt"}));
}

// Only a regular file is read, never through a link, and never one larger than any chapter:
// each of the others is an error before a byte is read, so none can hang or exhaust the program.
TEST(ReadWholeFile, OnlyARegularFileOfBoundedSizeIsRead) {
    TempFolder dir;
    testing::MakeFolder(dir / "folder");
    FileRead folder = ReadWholeFile(dir / "folder");
    EXPECT_EQ(folder.error, EISDIR);
    EXPECT_EQ(folder.bytes, "");
    EXPECT_EQ(ReadWholeFile(dir / "missing").error, ENOENT);
    WriteBytes(dir / "real.txt", "text");
    std::filesystem::create_symlink("real.txt", dir / "link.txt");
    ASSERT_EQ(::mkfifo((dir / "fifo.txt").c_str(), 0600), 0);
    WriteBytes(dir / "huge.txt", "");
    ASSERT_EQ(::truncate((dir / "huge.txt").c_str(), kMaxReadBytes + 1), 0);
    std::filesystem::create_symlink("nowhere.flc", dir / "dangling.flc");
    const std::vector<std::pair<std::string, int>> refused = {
        {"link.txt", ELOOP},
        {"fifo.txt", EINVAL},
        {"/dev/zero", EINVAL},
        {"huge.txt", EOVERFLOW},
        {"dangling.flc", ELOOP},
    };
    // The same by name from the folder held open, as the search reads the files of a folder,
    // and as a control file is read, made if missing.
    const FolderHandle folder_handle(dir.path());
    for (const auto& [name, error] : refused) {
        const std::string path = name.starts_with("/") ? name : dir / name;
        EXPECT_EQ(ReadWholeFile(path).error, error) << name;
        EXPECT_EQ(ReadWholeFileIn(folder_handle, name, path).error, error) << name;
        EXPECT_EQ(ReadOrCreateFile(path).error, error) << name;
        uint64_t size = 0;
        EXPECT_EQ(RegularFileSize(path, size), name == "huge.txt" ? 0 : error) << name;
    }
    // Nothing made where the dangling link points; a missing file made empty, a file there read.
    EXPECT_FALSE(testing::Exists(dir / "nowhere.flc"));
    const FileRead made = ReadOrCreateFile(dir / "made.flc");
    EXPECT_EQ(made.error, 0);
    EXPECT_EQ(made.bytes, "");
    EXPECT_TRUE(testing::Exists(dir / "made.flc"));
    EXPECT_EQ(ReadOrCreateFile(dir / "long.txt").bytes, "");
    EXPECT_EQ(ReadOrCreateFile(dir / "real.txt").bytes, "text");
    EXPECT_EQ(ReadFileStart(dir / "huge.txt", 5).bytes, std::string(5, '\0'));
    WriteBytes(dir / "long.txt", LongText('x'));
    EXPECT_EQ(ReadWholeFile(dir / "long.txt").bytes, LongText('x'));
    EXPECT_EQ(ReadWholeFileIn(folder_handle, "long.txt", dir / "long.txt").bytes, LongText('x'));
    EXPECT_EQ(ReadFileStart(dir / "long.txt", 10).bytes, LongText('x').substr(0, 10));
}

// A folder listed through the handle its files are then read from lists what its path lists;
// a link to a folder, which the handle does not open, is listed by its path. A listing that
// fails leaves nothing behind.
TEST(ListFolder, ThroughAHandleListsWhatThePathLists) {
    TempFolder dir;
    testing::MakeFolder(dir / "book/chapter");
    WriteBytes(dir / "book/一.txt", "text");
    WriteBytes(dir / "book/.hidden", "");
    std::filesystem::create_symlink("一.txt", dir / "book/link.txt");
    ASSERT_EQ(::mkfifo((dir / "book/fifo.txt").c_str(), 0600), 0);
    for (int i = 0; i < 2000; ++i) {
        WriteBytes(dir / ("book/chapter/" + std::to_string(i) + ".txt"), "");
    }
    std::filesystem::create_symlink("book", dir / "linked");
    const auto sorted = [](std::vector<FolderEntry> entries) {
        std::vector<std::string> described;
        for (const FolderEntry& entry : entries) {
            described.push_back(entry.name + (entry.is_folder ? " folder" : "") +
                                (entry.is_file ? " file" : ""));
        }
        std::sort(described.begin(), described.end());
        return described;
    };
    for (const char* folder : {"book", "book/chapter", "linked"}) {
        std::vector<FolderEntry> by_path;
        std::vector<FolderEntry> by_handle;
        ASSERT_EQ(ListFolder(dir / folder, by_path), 0) << folder;
        const FolderHandle handle(dir / folder);
        EXPECT_EQ(handle.valid(), std::string(folder) != "linked");
        ASSERT_EQ(ListFolder(handle, dir / folder, by_handle), 0) << folder;
        EXPECT_EQ(sorted(by_handle), sorted(by_path)) << folder;
    }
    std::vector<FolderEntry> book;
    ASSERT_EQ(ListFolder(dir / "book", book), 0);
    EXPECT_EQ(sorted(book), (std::vector<std::string>{".hidden file", "chapter folder",
                                                      "fifo.txt", "link.txt", "一.txt file"}));
    std::vector<FolderEntry> chapter;
    ASSERT_EQ(ListFolder(dir / "book/chapter", chapter), 0);
    EXPECT_EQ(chapter.size(), 2000u);

    std::vector<FolderEntry> missing = book;
    EXPECT_EQ(ListFolder(dir / "missing", missing), ENOENT);
    EXPECT_TRUE(missing.empty());
    const FolderHandle no_handle(dir / "missing");
    missing = book;
    EXPECT_EQ(ListFolder(no_handle, dir / "missing", missing), ENOENT);
    EXPECT_TRUE(missing.empty());
}

}  // namespace
}  // namespace folix
