#include "history/history_store.h"

#include <fcntl.h>
#include <git2.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <set>
#include <system_error>

#include "book/file_io.h"
#include "book/path_parts.h"

namespace folix {
namespace {

constexpr char kBranch[] = "refs/heads/main";
constexpr char kChangeKey[] = "Folix-Change: ";
constexpr char kPathKey[] = "Folix-Path: ";
constexpr char kFromKey[] = "Folix-From: ";
// A commit of ours is a few hundred bytes; a larger one is not read.
constexpr size_t kMaxCommitBytes = 64 * 1024;
// Writers of the same book (the window and a command) may move the ref between our read and
// our write; the commit is made again on the newer one.
constexpr int kRefAttempts = 8;

struct CauseName {
    VersionCause cause;
    const char* label;
    const char* key;
};
constexpr std::array<CauseName, 5> kCauses = {{
    {VersionCause::kSave, "保存", "save"},
    {VersionCause::kDelete, "削除", "delete"},
    {VersionCause::kRename, "名前の変更", "rename"},
    {VersionCause::kMove, "移動", "move"},
    {VersionCause::kRestore, "復元", "restore"},
}};

// The library's own state and its process-wide settings, once for the process: the writer's
// Git configuration is no business of the book's history, and its writes reach the disk.
class Library {
public:
    Library() {
        git_libgit2_init();
        for (int level : {GIT_CONFIG_LEVEL_SYSTEM, GIT_CONFIG_LEVEL_XDG, GIT_CONFIG_LEVEL_GLOBAL,
                          GIT_CONFIG_LEVEL_PROGRAMDATA}) {
            git_libgit2_opts(GIT_OPT_SET_SEARCH_PATH, level, "");
        }
        git_libgit2_opts(GIT_OPT_ENABLE_FSYNC_GITDIR, 1);
    }
    ~Library() { git_libgit2_shutdown(); }
};

void UseLibrary() {
    static Library library;
}

template <typename T, void (*Free)(T*)>
struct Owned {
    T* p = nullptr;
    Owned() = default;
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() {
        if (p != nullptr) {
            Free(p);
        }
    }
};
using Commit = Owned<git_commit, git_commit_free>;
using Tree = Owned<git_tree, git_tree_free>;
using TreeEntry = Owned<git_tree_entry, git_tree_entry_free>;
using TreeBuilder = Owned<git_treebuilder, git_treebuilder_free>;
using Reference = Owned<git_reference, git_reference_free>;
using Signature = Owned<git_signature, git_signature_free>;
using RevWalk = Owned<git_revwalk, git_revwalk_free>;
using Blob = Owned<git_blob, git_blob_free>;
using Odb = Owned<git_odb, git_odb_free>;
using PackBuilder = Owned<git_packbuilder, git_packbuilder_free>;

bool IsLink(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool IsHexName(const std::string& name, size_t length) {
    return name.size() == length && std::all_of(name.begin(), name.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

// Every entry of a folder of the repository is a folder or a regular file of its own: a link, a
// FIFO or a device there would lead the library outside the book or hang its read.
bool HoldsOnlyPlainEntries(const std::string& folder, int depth) {
    std::vector<FolderEntry> entries;
    if (ListFolder(folder, entries) != 0) {
        return false;
    }
    for (const FolderEntry& entry : entries) {
        if (!entry.is_folder && !entry.is_file) {
            return false;
        }
        if (entry.is_folder &&
            (depth == 0 || !HoldsOnlyPlainEntries(JoinPath(folder, entry.name), depth - 1))) {
            return false;
        }
    }
    return true;
}

// A repository the library would read partly from elsewhere (alternates, a common folder, a
// work tree) is not a history of this book.
bool IsOwnRepositoryFolder(const std::string& folder) {
    for (const char* name : {"objects/info/alternates", "commondir", "gitdir"}) {
        if (PathExists(JoinPath(folder, name)) || IsLink(JoinPath(folder, name))) {
            return false;
        }
    }
    return HoldsOnlyPlainEntries(folder, 4);
}

std::string OidHex(const git_oid& oid) {
    char hex[GIT_OID_HEXSZ + 1] = {};
    git_oid_tostr(hex, sizeof hex, &oid);
    return hex;
}

bool HasLineEnd(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// The value after key on a line of its own in message, or nullopt.
std::optional<std::string> Trailer(std::string_view message, std::string_view key) {
    size_t at = 0;
    while (at < message.size()) {
        size_t end = message.find('\n', at);
        if (end == std::string_view::npos) {
            end = message.size();
        }
        std::string_view line = message.substr(at, end - at);
        if (line.substr(0, key.size()) == key) {
            return std::string(line.substr(key.size()));
        }
        at = end + 1;
    }
    return std::nullopt;
}

std::optional<VersionCause> CauseFromKey(std::string_view key) {
    for (const CauseName& name : kCauses) {
        if (key == name.key) {
            return name.cause;
        }
    }
    return std::nullopt;
}

const char* CauseKey(VersionCause cause) {
    for (const CauseName& name : kCauses) {
        if (name.cause == cause) {
            return name.key;
        }
    }
    return "save";
}

// Whether the object is there and no larger than limit, asked of its header alone.
bool ObjectFits(git_odb* odb, const git_oid& id, git_object_t type, size_t limit) {
    size_t size = 0;
    git_object_t found = GIT_OBJECT_INVALID;
    return git_odb_read_header(&size, &found, odb, &id) == 0 && found == type && size <= limit;
}

}  // namespace

std::string_view VersionCauseLabel(VersionCause cause) {
    for (const CauseName& name : kCauses) {
        if (name.cause == cause) {
            return name.label;
        }
    }
    return "";
}

HistoryStore::HistoryStore(std::string book_folder) : book_folder_(std::move(book_folder)) {
    UseLibrary();
}

HistoryStore::~HistoryStore() {
    if (repo_ != nullptr) {
        git_repository_free(repo_);
    }
}

std::string HistoryStore::folder() const {
    return JoinPath(book_folder_, kHistoryFolderName);
}

bool HistoryStore::Fail(const char* message) {
    error_ = message;
    return false;
}

bool HistoryStore::Open(bool create) {
    if (repo_ != nullptr) {
        return true;
    }
    const std::string path = folder();
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        if (errno != ENOENT || !create) {
            return Fail(kHistoryReadMessage);
        }
        // Made by us, so made whole: a bare repository whose HEAD names our branch, which any
        // Git tool then reads as it is.
        git_repository_init_options options = GIT_REPOSITORY_INIT_OPTIONS_INIT;
        options.flags =
            GIT_REPOSITORY_INIT_BARE | GIT_REPOSITORY_INIT_MKDIR | GIT_REPOSITORY_INIT_NO_REINIT;
        options.initial_head = "main";
        if (git_repository_init_ext(&repo_, path.c_str(), &options) != 0) {
            repo_ = nullptr;
            return Fail(kHistoryWriteMessage);
        }
        return true;
    }
    if (S_ISLNK(info.st_mode)) {
        return Fail(kHistoryLinkMessage);
    }
    if (!S_ISDIR(info.st_mode) || !IsOwnRepositoryFolder(path)) {
        return Fail(kHistoryDamagedMessage);
    }
    const unsigned flags =
        GIT_REPOSITORY_OPEN_NO_SEARCH | GIT_REPOSITORY_OPEN_BARE | GIT_REPOSITORY_OPEN_NO_DOTGIT;
    if (git_repository_open_ext(&repo_, path.c_str(), flags, nullptr) != 0 ||
        !git_repository_is_bare(repo_)) {
        if (repo_ != nullptr) {
            git_repository_free(repo_);
        }
        repo_ = nullptr;
        return Fail(kHistoryDamagedMessage);
    }
    return true;
}

namespace {

// Every writer of ours holds this lock while it records, and the system lets it go when the
// writer dies. Holding it, a branch lock left by a writer killed between taking and dropping
// its own can only be stale, and is cleared: otherwise one kill would stop every later save's
// version.
class WriterLock {
public:
    explicit WriterLock(const std::string& folder)
        : fd_(::open(JoinPath(folder, kWriterLockName).c_str(),
                     O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600)) {
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
        if (fd_ >= 0) {
            const std::string branch_lock = JoinPath(folder, std::string(kBranch) + ".lock");
            struct stat status {};
            if (::lstat(branch_lock.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
                ::unlink(branch_lock.c_str());
            }
        }
    }
    ~WriterLock() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    WriterLock(const WriterLock&) = delete;
    WriterLock& operator=(const WriterLock&) = delete;

    bool held() const { return fd_ >= 0; }

private:
    static constexpr char kWriterLockName[] = "folix-writer.lock";
    int fd_;
};

}  // namespace

bool HistoryStore::Record(std::string_view relative, std::string_view bytes, VersionCause cause,
                          std::string_view from) {
    if (!Open(true)) {
        return false;
    }
    const WriterLock lock(folder());
    if (!lock.held()) {
        return Fail(kHistoryWriteMessage);
    }
    const std::vector<std::string> names = PathNames(relative);
    if (names.empty() || HasLineEnd(relative) || HasLineEnd(from) ||
        std::any_of(names.begin(), names.end(),
                    [](const std::string& name) { return name == "." || name == ".."; })) {
        return Fail(kHistoryWriteMessage);
    }
    // The file's bytes, then a tree for each folder on its path, innermost first.
    git_oid id{};
    if (git_blob_create_from_buffer(&id, repo_, bytes.data(), bytes.size()) != 0) {
        return Fail(kHistoryWriteMessage);
    }
    git_filemode_t mode = GIT_FILEMODE_BLOB;
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        TreeBuilder builder;
        if (git_treebuilder_new(&builder.p, repo_, nullptr) != 0 ||
            git_treebuilder_insert(nullptr, builder.p, name->c_str(), &id, mode) != 0 ||
            git_treebuilder_write(&id, builder.p) != 0) {
            return Fail(kHistoryWriteMessage);
        }
        mode = GIT_FILEMODE_TREE;
    }
    Tree tree;
    Signature signature;
    if (git_tree_lookup(&tree.p, repo_, &id) != 0 ||
        git_signature_now(&signature.p, "Folix", "folix@localhost") != 0) {
        return Fail(kHistoryWriteMessage);
    }
    std::string message = std::string(VersionCauseLabel(cause)) + " " + std::string(relative);
    if (!from.empty()) {
        message += " ← " + std::string(from);
    }
    message += "\n\n" + std::string(kChangeKey) + CauseKey(cause) + "\n" + kPathKey +
               std::string(relative) + "\n";
    if (!from.empty()) {
        message += std::string(kFromKey) + std::string(from) + "\n";
    }
    for (int attempt = 0; attempt < kRefAttempts; ++attempt) {
        Commit parent;
        git_oid parent_id{};
        int found = git_reference_name_to_id(&parent_id, repo_, kBranch);
        if (found == 0) {
            if (git_commit_lookup(&parent.p, repo_, &parent_id) != 0) {
                return Fail(kHistoryWriteMessage);
            }
        } else if (found != GIT_ENOTFOUND) {
            return Fail(kHistoryWriteMessage);
        }
        const git_commit* parents[] = {parent.p};
        git_oid commit_id{};
        if (git_commit_create(&commit_id, repo_, nullptr, signature.p, signature.p, "UTF-8",
                              message.c_str(), tree.p, parent.p != nullptr ? 1 : 0, parents) != 0) {
            return Fail(kHistoryWriteMessage);
        }
        Reference ref;
        const int moved =
            parent.p != nullptr
                ? git_reference_create_matching(&ref.p, repo_, kBranch, &commit_id, 1, &parent_id,
                                                nullptr)
                : git_reference_create(&ref.p, repo_, kBranch, &commit_id, 0, nullptr);
        if (moved == 0) {
            return true;
        }
        if (moved != GIT_EMODIFIED && moved != GIT_EEXISTS && moved != GIT_ELOCKED) {
            return Fail(kHistoryWriteMessage);
        }
    }
    return Fail(kHistoryWriteMessage);
}

std::optional<std::vector<FileVersion>> HistoryStore::Versions(std::string_view relative) {
    if (!Open(false)) {
        // No history yet is no failure: the file has no versions.
        if (!IsLink(folder()) && !PathExists(folder())) {
            error_.clear();
            return std::vector<FileVersion>{};
        }
        return std::nullopt;
    }
    std::vector<FileVersion> versions;
    git_oid head{};
    const int found = git_reference_name_to_id(&head, repo_, kBranch);
    if (found == GIT_ENOTFOUND) {
        return versions;
    }
    Odb odb;
    RevWalk walk;
    if (found != 0 || git_repository_odb(&odb.p, repo_) != 0 ||
        git_revwalk_new(&walk.p, repo_) != 0 ||
        git_revwalk_sorting(walk.p, GIT_SORT_TOPOLOGICAL) != 0 ||
        git_revwalk_push(walk.p, &head) != 0) {
        Fail(kHistoryReadMessage);
        return std::nullopt;
    }
    // Newest first: a rename or move of the file takes the older versions to where it came from.
    std::string path(relative);
    git_oid id{};
    int step = 0;
    while ((step = git_revwalk_next(&id, walk.p)) == 0) {
        Commit commit;
        if (!ObjectFits(odb.p, id, GIT_OBJECT_COMMIT, kMaxCommitBytes) ||
            git_commit_lookup(&commit.p, repo_, &id) != 0) {
            Fail(kHistoryReadMessage);
            return std::nullopt;
        }
        const std::string_view message = git_commit_message(commit.p);
        const std::optional<std::string> at = Trailer(message, kPathKey);
        const std::optional<std::string> change = Trailer(message, kChangeKey);
        if (!at || *at != path || !change || !CauseFromKey(*change)) {
            continue;  // another file's, or a commit not ours
        }
        Tree tree;
        TreeEntry entry;
        if (git_commit_tree(&tree.p, commit.p) != 0 ||
            git_tree_entry_bypath(&entry.p, tree.p, path.c_str()) != 0 ||
            git_tree_entry_type(entry.p) != GIT_OBJECT_BLOB) {
            continue;
        }
        FileVersion version;
        version.commit = OidHex(id);
        version.blob = OidHex(*git_tree_entry_id(entry.p));
        const git_signature* author = git_commit_author(commit.p);
        version.time = author->when.time;
        version.time_offset = author->when.offset;
        version.cause = *CauseFromKey(*change);
        version.path = path;
        if (const auto from = Trailer(message, kFromKey);
            from &&
            (version.cause == VersionCause::kRename || version.cause == VersionCause::kMove)) {
            version.from_path = *from;
            path = *from;
        }
        versions.push_back(std::move(version));
    }
    if (step != GIT_ITEROVER) {
        Fail(kHistoryReadMessage);
        return std::nullopt;
    }
    std::reverse(versions.begin(), versions.end());
    for (size_t i = 0; i < versions.size(); ++i) {
        versions[i].number = static_cast<int>(i + 1);
    }
    return versions;
}

std::optional<std::string> HistoryStore::Bytes(const FileVersion& version) {
    git_oid id{};
    Odb odb;
    Blob blob;
    if (!Open(false) || git_oid_fromstr(&id, version.blob.c_str()) != 0 ||
        git_repository_odb(&odb.p, repo_) != 0 ||
        !ObjectFits(odb.p, id, GIT_OBJECT_BLOB, kMaxReadBytes) ||
        git_blob_lookup(&blob.p, repo_, &id) != 0) {
        Fail(kHistoryReadMessage);
        return std::nullopt;
    }
    const auto* data = static_cast<const char*>(git_blob_rawcontent(blob.p));
    return std::string(data, static_cast<size_t>(git_blob_rawsize(blob.p)));
}

size_t HistoryStore::LooseObjects() const {
    size_t count = 0;
    std::vector<FolderEntry> folders;
    const std::string objects = JoinPath(folder(), "objects");
    if (ListFolder(objects, folders) != 0) {
        return 0;
    }
    for (const FolderEntry& entry : folders) {
        std::vector<FolderEntry> files;
        if (entry.is_folder && IsHexName(entry.name, 2) &&
            ListFolder(JoinPath(objects, entry.name), files) == 0) {
            count += static_cast<size_t>(std::count_if(
                files.begin(), files.end(), [](const FolderEntry& f) { return f.is_file; }));
        }
    }
    return count;
}

bool HistoryStore::RepackIfNeeded(size_t threshold) {
    return LooseObjects() <= threshold || Repack();
}

bool HistoryStore::Repack() {
    if (!Open(false)) {
        return false;
    }
    git_oid head{};
    if (git_reference_name_to_id(&head, repo_, kBranch) != 0) {
        return true;  // nothing kept yet
    }
    // What the branch reaches: its commits, their trees and the bytes. Only these loose objects
    // go, as the new pack holds them; one another writer is just making stays.
    std::set<std::string> reachable;
    RevWalk walk;
    if (git_revwalk_new(&walk.p, repo_) != 0 || git_revwalk_push(walk.p, &head) != 0) {
        return Fail(kHistoryWriteMessage);
    }
    git_oid id{};
    while (git_revwalk_next(&id, walk.p) == 0) {
        Commit commit;
        Tree tree;
        if (git_commit_lookup(&commit.p, repo_, &id) != 0 ||
            git_commit_tree(&tree.p, commit.p) != 0) {
            return Fail(kHistoryWriteMessage);
        }
        reachable.insert(OidHex(id));
        reachable.insert(OidHex(*git_tree_id(tree.p)));
        git_tree_walk(
            tree.p, GIT_TREEWALK_PRE,
            [](const char*, const git_tree_entry* entry, void* payload) {
                static_cast<std::set<std::string>*>(payload)->insert(
                    OidHex(*git_tree_entry_id(entry)));
                return 0;
            },
            &reachable);
    }
    PackBuilder builder;
    RevWalk pack_walk;
    if (git_packbuilder_new(&builder.p, repo_) != 0 || git_revwalk_new(&pack_walk.p, repo_) != 0 ||
        git_revwalk_push(pack_walk.p, &head) != 0 ||
        git_packbuilder_insert_walk(builder.p, pack_walk.p) != 0 ||
        git_packbuilder_write(builder.p, nullptr, 0, nullptr, nullptr) != 0) {
        return Fail(kHistoryWriteMessage);
    }
    const std::string kept = std::string("pack-") + git_packbuilder_name(builder.p) + ".";
    // The new pack is in place (written whole, then renamed): the older packs and the loose
    // copies it holds are no longer the only ones.
    const std::string packs = JoinPath(folder(), "objects/pack");
    std::vector<FolderEntry> entries;
    if (ListFolder(packs, entries) == 0) {
        for (const FolderEntry& entry : entries) {
            if (entry.is_file && entry.name.rfind("pack-", 0) == 0 &&
                entry.name.rfind(kept, 0) != 0) {
                RemoveFile(JoinPath(packs, entry.name));
            }
        }
    }
    const std::string objects = JoinPath(folder(), "objects");
    std::vector<FolderEntry> folders;
    if (ListFolder(objects, folders) == 0) {
        for (const FolderEntry& entry : folders) {
            std::vector<FolderEntry> files;
            if (!entry.is_folder || !IsHexName(entry.name, 2) ||
                ListFolder(JoinPath(objects, entry.name), files) != 0) {
                continue;
            }
            size_t left = files.size();
            for (const FolderEntry& file : files) {
                if (file.is_file && reachable.count(entry.name + file.name) != 0 &&
                    RemoveFile(JoinPath(JoinPath(objects, entry.name), file.name)) == 0) {
                    --left;
                }
            }
            if (left == 0) {
                std::error_code ignored;
                std::filesystem::remove(JoinPath(objects, entry.name), ignored);
            }
        }
    }
    git_odb* odb = nullptr;
    if (git_repository_odb(&odb, repo_) == 0) {
        git_odb_refresh(odb);
        git_odb_free(odb);
    }
    return true;
}

}  // namespace folix
