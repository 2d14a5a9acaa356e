#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct git_repository;

namespace folix {

// The hidden folder of a book that keeps every version of its files: a bare repository, one
// commit a version holding that one file's bytes at its path in the book.
inline constexpr char kHistoryFolderName[] = ".folix-history";

// What made a version; the label is its word in the commit message and in every listing.
enum class VersionCause { kSave, kDelete, kRename, kMove, kRestore };
std::string_view VersionCauseLabel(VersionCause cause);

struct FileVersion {
    int number = 0;       // 1 for the oldest version of the file
    std::string commit;   // the commit's id, in hex
    std::string blob;     // the id of the bytes, in hex
    int64_t time = 0;     // seconds since the epoch
    int time_offset = 0;  // minutes east of UTC where it was made
    VersionCause cause = VersionCause::kSave;
    std::string path;       // from the book folder, at the time
    std::string from_path;  // where a rename or move came from
};

inline constexpr char kHistoryLinkMessage[] =
    "履歴の.folix-historyがシンボリックリンクのため使えません。";
inline constexpr char kHistoryDamagedMessage[] =
    "履歴の.folix-historyが壊れているか、履歴ではないため使えません。";
inline constexpr char kHistoryWriteMessage[] = "履歴を書き込めません。";
inline constexpr char kHistoryReadMessage[] = "履歴を読めません。";

// Loose objects above this many are packed into one file (RepackIfNeeded): each save makes
// three or four, so that is every few hundred saves.
inline constexpr size_t kRepackLooseObjects = 2000;

// The history of one book. A received book is untrusted, so its history folder is used only
// when it is a folder of the book itself (never a link), holds nothing reached through a link
// and points to no objects elsewhere; objects are measured before they are read.
// Not safe across threads; two processes may write at once (the ref moves only from the value
// the commit was made on).
class HistoryStore {
public:
    explicit HistoryStore(std::string book_folder);
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // Opens the book's history, making it first when create is true and there is none. False
    // with error() when there is none to read or it may not be used.
    bool Open(bool create);
    bool is_open() const { return repo_ != nullptr; }

    // Keeps bytes as the newest version of the file at relative ("/" between names), made by
    // cause; from is where a rename or move came from. The objects are written first and the
    // ref moved last, so a kill in between leaves the history as it was.
    bool Record(std::string_view relative, std::string_view bytes, VersionCause cause,
                std::string_view from = {});

    // The versions of the file now at relative, oldest first, following it back through its
    // renames and moves. Empty when it has none; nullopt with error() when they cannot be read.
    std::optional<std::vector<FileVersion>> Versions(std::string_view relative);
    // The bytes of a version, read only when they are no larger than a file the book may hold.
    std::optional<std::string> Bytes(const FileVersion& version);

    // Objects not yet packed.
    size_t LooseObjects() const;
    // Packs every version into one file and removes the loose objects and older packs it
    // holds, when more than threshold objects are loose. The window calls it when idle.
    bool RepackIfNeeded(size_t threshold = kRepackLooseObjects);
    bool Repack();

    // The last failure, in the program's words.
    const std::string& error() const { return error_; }
    std::string folder() const;

private:
    bool Fail(const char* message);

    std::string book_folder_;
    git_repository* repo_ = nullptr;
    std::string error_;
};

}  // namespace folix
