#pragma once

#include <string>
#include <vector>

#include "book/book_entry.h"

namespace folix {

// Ordering of name lists: folder listings, stored orders and the site generator's lists. Keys
// are compared with the name comparison (letter case folded, CP932 order) from key_offset on;
// lines of "contents.flc" use offset 1 to skip their type letter.
inline constexpr size_t kEntryKeyOffset = 1;

// Stable ascending sort by key.
void SortByKey(std::vector<std::string>& list, size_t key_offset);

// Index of an element with an equal key in a list sorted by SortByKey, or -1.
int FindByKey(const std::vector<std::string>& sorted, const std::string& element,
              size_t key_offset);

// Stable ascending sort of a folder's entries by name.
void SortEntries(std::vector<BookEntry>& entries);

// Reconciles a folder's stored order with its sorted listing: stored entries whose name is still
// on disk keep their place and kind (taking the disk's spelling of the name, so the path
// formed from it exists), stored entries no longer on disk go, a name stored twice survives at its
// later place, and names not stored follow in sorted order. The stored list becomes the result;
// the disk list is consumed.
void MergeStoredOrder(std::vector<BookEntry>& disk, std::vector<BookEntry>& stored);

}  // namespace folix
