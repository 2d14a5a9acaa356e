#pragma once

#include <optional>
#include <string>

namespace folix {

class Profile;

// Where the writer left a book: the file the editor held and the caret in it, so that the next
// open, after a quit or a crash, starts there.
struct LastPlace {
    std::string file;  // below the book folder, names joined by '/'
    int caret = 0;     // in characters from the start of the file

    bool operator==(const LastPlace&) const = default;
};

inline constexpr char kLastPlaceSection[] = "Last Place";
// As many books as the recent-file list holds.
inline constexpr size_t kLastPlaceCount = 10;

// The place kept for the book file, if any and if it still names a file below the book folder.
std::optional<LastPlace> LoadLastPlace(const Profile& profile, const std::string& book_file);
// Keeps the place for the book file, newest first; the oldest book beyond the count is forgotten.
void SaveLastPlace(Profile& profile, const std::string& book_file, const LastPlace& place);

}  // namespace folix
