#pragma once

#include <string>
#include <vector>

#include "book/book_entry.h"

namespace folix {

class Ui;
struct FolderEntry;

// The ordered children of one folder of the book: the disk listing (text, template and list files,
// ".htm" pages in the book folder only, folders not beginning with "."), sorted by name, merged
// with the order stored in the folder's "contents.flc", which is then written back. An invalid
// "contents.flc" gives no entries and is left untouched.
std::vector<BookEntry> BuildEntryList(Ui& ui, const std::string& folder, bool is_book_folder);
// The same from the folder's listing, made already by the caller.
std::vector<BookEntry> BuildEntryList(Ui& ui, const std::string& folder, bool is_book_folder,
                                      const std::vector<FolderEntry>& listing);

}  // namespace folix
