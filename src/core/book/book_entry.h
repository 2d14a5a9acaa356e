#pragma once

#include <string>
#include <string_view>

namespace folix {

// One child of a book folder as the book orders it: a folder or a file, by its name.
enum class EntryKind { kFolder, kFile };

struct BookEntry {
    EntryKind kind = EntryKind::kFile;
    std::string name;  // a folder name, or a file name with its extension

    bool IsFolder() const { return kind == EntryKind::kFolder; }
    friend bool operator==(const BookEntry&, const BookEntry&) = default;
};

// "contents.flc" keeps an entry as one line: "d" + folder name, "l" + file name. These two are
// the only places that know the letters.
std::string EntryLine(const BookEntry& entry);
// A line of any other type letter reads as a file, as the tree has always shown it.
BookEntry EntryFromLine(std::string_view line);

}  // namespace folix
