#include "book/last_place.h"

#include <vector>

#include "book/file_name_check.h"
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
            // The profile's, which anything may have written: it must lead below the book.
            if (!RelativeBookPath(kept.place.file) || kept.place.caret < 0) {
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
    const std::vector<BookPlace> before = places;
    std::erase_if(places, [&](const BookPlace& kept) { return kept.book == book_file; });
    places.insert(places.begin(), {book_file, place});
    // Only what changed is written: the profile goes to disk with every value, and the caret
    // comes to rest many times an hour.
    for (size_t i = 0; i < kLastPlaceCount; ++i) {
        const BookPlace now = i < places.size() ? places[i] : BookPlace{};
        const BookPlace was = i < before.size() ? before[i] : BookPlace{};
        if (now.book != was.book) {
            profile.WriteString(kLastPlaceSection, Key("Book", i), now.book);
        }
        if (now.place.file != was.place.file) {
            profile.WriteString(kLastPlaceSection, Key("File", i), now.place.file);
        }
        if (now.place.caret != was.place.caret) {
            profile.WriteInt(kLastPlaceSection, Key("Caret", i), now.place.caret);
        }
    }
}

}  // namespace folix
