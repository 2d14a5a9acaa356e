#pragma once

#include <string>
#include <vector>

#include "book/book_entry.h"

namespace folix {

class Ui;

// What of one folder goes into the site and the TEXT file, in the order the tree shows it:
// its sub-folders not beginning with "." and its ".txt" files. Templates, lists and pages stay
// out. The folder's stored order is followed but not written back; a folder whose
// "contents.flc" is not ours (reported) gives its names in name order.
std::vector<BookEntry> ListBookEntries(Ui& ui, const std::string& folder);

}  // namespace folix
