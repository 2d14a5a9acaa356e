#pragma once

#include <string>
#include <vector>

#include "book/book_entry.h"
#include "book/control_file.h"

namespace folix {

class Ui;

// "contents.flc": the display order of one folder's children, one folder-list entry a line
// ("d" + folder name, "l" + file name with its extension).
inline constexpr std::string_view kContentsFileName = "contents.flc";

std::string ContentsFilePath(const std::string& folder);

bool ReadContents(Ui& ui, const std::string& folder, ControlFile& entries);
bool WriteContents(Ui& ui, const std::string& folder, const ControlFile& entries);

// The stored order read as entries, with the encoding to write it back in.
struct ContentsOrder {
    std::vector<BookEntry> entries;
    TextEncoding encoding = TextEncoding::kUtf8;
};
bool ReadContentsOrder(Ui& ui, const std::string& folder, ContentsOrder& order);
bool WriteContentsOrder(Ui& ui, const std::string& folder, const ContentsOrder& order);

// Read-modify-write of one folder's order; nothing is written when the read fails. The index is
// the position of the tree item among its siblings.
bool InsertContentsEntry(Ui& ui, const std::string& folder, size_t index, const BookEntry& entry);
bool DeleteContentsEntry(Ui& ui, const std::string& folder, size_t index);
bool ReplaceContentsEntry(Ui& ui, const std::string& folder, size_t index, const BookEntry& entry);

}  // namespace folix
