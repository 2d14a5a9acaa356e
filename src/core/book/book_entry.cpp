#include "book/book_entry.h"

namespace folix {
namespace {

constexpr char kFolderLetter = 'd';
constexpr char kFileLetter = 'l';

}  // namespace

std::string EntryLine(const BookEntry& entry) {
    return (entry.IsFolder() ? kFolderLetter : kFileLetter) + entry.name;
}

BookEntry EntryFromLine(std::string_view line) {
    if (line.empty()) {
        return {};
    }
    return {line.front() == kFolderLetter ? EntryKind::kFolder : EntryKind::kFile,
            std::string(line.substr(1))};
}

}  // namespace folix
