#include "book/book_files.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "book/contents_file.h"
#include "book/control_file.h"
#include "book/file_io.h"
#include "book/name_compare.h"
#include "book/path_parts.h"
#include "book/system_error.h"
#include "platform/ui.h"

namespace folix {
namespace {

bool IsHiddenName(const std::string& name) {
    return !name.empty() && name[0] == '.';
}

// The name is the candidate, or the candidate followed by "." and anything, letter case ignored.
bool NameTakesCandidate(std::string_view name, std::string_view candidate) {
    if (NamesEqual(name, candidate)) {
        return true;
    }
    return name.size() > candidate.size() && name[candidate.size()] == '.' &&
           NamesEqual(name.substr(0, candidate.size()), candidate);
}

bool IsVisibleChild(const FolderEntry& entry) {
    return entry.is_folder ? !IsHiddenName(entry.name)
                           : entry.is_file && HasTxtSuffix(entry.name);
}

}  // namespace

RtfCheck IsRtfFile(Ui& ui, const std::string& path) {
    constexpr std::string_view signature = kRtfSignature;
    FileRead start = ReadFileStart(path, signature.size());
    if (start.error != 0) {
        ShowCannotOpen(ui, path, start.error);
        return RtfCheck::kCannotOpen;
    }
    return start.bytes == signature ? RtfCheck::kRtf : RtfCheck::kPlain;
}

bool HasVisibleChildren(const std::string& folder) {
    bool found = false;
    return FindInFolder(folder, IsVisibleChild, found) == 0 && found;
}

bool HasVisibleChildren(const std::vector<FolderEntry>& listing) {
    return std::any_of(listing.begin(), listing.end(), IsVisibleChild);
}

bool IsBookFile(Ui& ui, const std::string& path) {
    const std::string name = FileNamePart(path);
    if (HasTxtSuffix(name)) {
        return true;
    }
    if (!NamesEqual(name, kContentsFileName)) {
        return false;
    }
    FileRead start = ReadFileStart(path, kControlFileHeader.size());
    if (start.error != 0) {
        ShowCannotOpen(ui, path, start.error);
        return false;
    }
    return start.bytes.empty() || start.bytes == kControlFileHeader;
}

bool HoldsOnlyBookFiles(Ui& ui, const std::string& folder) {
    // Depth first in listing order, with an explicit stack so that a deep tree cannot exhaust
    // the program's own. A folder that cannot be listed holds nothing to refuse.
    struct Level {
        std::string path;
        std::vector<FolderEntry> entries;
        size_t next = 0;
    };
    std::vector<Level> stack(1);
    stack.back().path = folder;
    ListFolder(folder, stack.back().entries);
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.next == level.entries.size()) {
            stack.pop_back();
            continue;
        }
        const FolderEntry& entry = level.entries[level.next++];
        std::string path = JoinPath(level.path, entry.name);
        if (!entry.is_folder) {
            // A link, a device or a FIFO is nothing the program made.
            if (!entry.is_file || !IsBookFile(ui, path)) {
                return false;
            }
        } else if (!IsHiddenName(entry.name)) {
            Level inner;
            inner.path = std::move(path);
            ListFolder(inner.path, inner.entries);
            stack.push_back(std::move(inner));
        }
    }
    return true;
}

std::string UniqueName(const std::string& folder, const std::string& base) {
    std::vector<FolderEntry> entries;
    ListFolder(folder, entries);
    const auto is_free = [&](const std::string& candidate) {
        for (const FolderEntry& entry : entries) {
            if (NameTakesCandidate(entry.name, candidate)) {
                return false;
            }
        }
        return true;
    };
    std::string candidate = base;
    for (int n = 2; n <= 100; ++n) {
        if (is_free(candidate)) {
            return candidate;
        }
        candidate = base + std::to_string(n);
    }
    return candidate;
}

std::string CreateBlankTextFile(Ui& ui, const std::string& folder) {
    std::string path = JoinPath(folder, UniqueName(folder, kBlankPageBase) + ".txt");
    int error = CreateNewFile(path);
    if (error != 0) {
        ShowLastError(ui, error);
        return {};
    }
    return path;
}

}  // namespace folix
