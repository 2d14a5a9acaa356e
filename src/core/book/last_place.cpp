#include "book/last_place.h"

#include <algorithm>
#include <vector>

#include "platform/profile.h"

namespace folix {
namespace {

struct BookPlace {
    std::string book;
    LastPlace place;
};

std::string Key(const char* name, size_t index) {
    return name + std::to_string(index + 1);
}

// A stored name is the profile's, which anything may have written: it must lead below the book
// folder, name by name.
bool IsBelowTheBook(const std::string& file) {
    if (file.empty() || file.front() == '/' || file.back() == '/') {
        return false;
    }
    size_t start = 0;
    while (start <= file.size()) {
        const size_t end = std::min(file.find('/', start), file.size());
        const std::string name = file.substr(start, end - start);
        if (name.empty() || name == "." || name == "..") {
            return false;
        }
        start = end + 1;
    }
    return true;
}

std::vector<BookPlace> LoadAll(const Profile& profile) {
    std::vector<BookPlace> places;
    for (size_t i = 0; i < kLastPlaceCount; ++i) {
        std::string book = profile.GetString(kLastPlaceSection, Key("Book", i));
        if (book.empty()) {
            continue;
        }
        places.push_back({std::move(book),
                          {profile.GetString(kLastPlaceSection, Key("File", i)),
                           profile.GetInt(kLastPlaceSection, Key("Caret", i), 0)}});
    }
    return places;
}

}  // namespace

std::optional<LastPlace> LoadLastPlace(const Profile& profile, const std::string& book_file) {
    for (BookPlace& kept : LoadAll(profile)) {
        if (kept.book == book_file) {
            if (!IsBelowTheBook(kept.place.file) || kept.place.caret < 0) {
                return std::nullopt;
            }
            return std::move(kept.place);
        }
    }
    return std::nullopt;
}

void SaveLastPlace(Profile& profile, const std::string& book_file, const LastPlace& place) {
    std::vector<BookPlace> places = LoadAll(profile);
    if (!places.empty() && places.front().book == book_file && places.front().place == place) {
        return;  // the caret came back where it was: nothing to write
    }
    std::erase_if(places, [&](const BookPlace& kept) { return kept.book == book_file; });
    places.insert(places.begin(), {book_file, place});
    for (size_t i = 0; i < kLastPlaceCount; ++i) {
        const bool kept = i < places.size();
        profile.WriteString(kLastPlaceSection, Key("Book", i), kept ? places[i].book : "");
        profile.WriteString(kLastPlaceSection, Key("File", i), kept ? places[i].place.file : "");
        profile.WriteInt(kLastPlaceSection, Key("Caret", i), kept ? places[i].place.caret : 0);
    }
}

}  // namespace folix
