#include "book/contents_file.h"

#include <algorithm>
#include <functional>

#include "book/path_parts.h"

namespace folix {
namespace {

bool ModifyContents(Ui& ui, const std::string& folder,
                    const std::function<void(std::vector<std::string>&)>& change) {
    ControlFile contents;
    if (!ReadContents(ui, folder, contents)) {
        return false;
    }
    change(contents.lines);
    return WriteContents(ui, folder, contents);
}

}  // namespace

std::string ContentsFilePath(const std::string& folder) {
    return JoinPath(folder, kContentsFileName);
}

bool ReadContents(Ui& ui, const std::string& folder, ControlFile& entries) {
    return ReadControlFile(ui, ContentsFilePath(folder), entries);
}

bool WriteContents(Ui& ui, const std::string& folder, const ControlFile& entries) {
    return WriteControlFile(ui, ContentsFilePath(folder), entries);
}

bool ReadContentsOrder(Ui& ui, const std::string& folder, ContentsOrder& order) {
    ControlFile contents;
    const bool read = ReadContents(ui, folder, contents);
    order.entries.clear();
    order.entries.reserve(contents.lines.size());
    for (const std::string& line : contents.lines) {
        order.entries.push_back(EntryFromLine(line));
    }
    order.encoding = contents.encoding;
    return read;
}

bool WriteContentsOrder(Ui& ui, const std::string& folder, const ContentsOrder& order) {
    ControlFile contents;
    contents.encoding = order.encoding;
    contents.lines.reserve(order.entries.size());
    for (const BookEntry& entry : order.entries) {
        contents.lines.push_back(EntryLine(entry));
    }
    return WriteContents(ui, folder, contents);
}

// Callers never pass a position outside the list; should one come anyway, it is clamped (for an
// insertion) or ignored, rather than touching memory that is not the list's.
bool InsertContentsEntry(Ui& ui, const std::string& folder, size_t index, const BookEntry& entry) {
    return ModifyContents(ui, folder, [&](std::vector<std::string>& lines) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(std::min(index, lines.size())),
                     EntryLine(entry));
    });
}

bool DeleteContentsEntry(Ui& ui, const std::string& folder, size_t index) {
    return ModifyContents(ui, folder, [&](std::vector<std::string>& lines) {
        if (index < lines.size()) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index));
        }
    });
}

bool ReplaceContentsEntry(Ui& ui, const std::string& folder, size_t index, const BookEntry& entry) {
    return ModifyContents(ui, folder, [&](std::vector<std::string>& lines) {
        if (index < lines.size()) {
            lines[index] = EntryLine(entry);
        }
    });
}

}  // namespace folix
