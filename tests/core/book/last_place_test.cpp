#include "book/last_place.h"

#include <gtest/gtest.h>

#include "support/memory_profile.h"

namespace folix {
namespace {

using testing::MemoryProfile;

// Each book keeps its own place, the newest first; a name the profile holds that would lead
// out of the book is not a place.
TEST(LastPlace, EachBookKeepsItsOwnAndOnlyInsideTheBook) {
    MemoryProfile profile;
    SaveLastPlace(profile, "/w/a/a.flx", {"第一章/朝.txt", 120});
    SaveLastPlace(profile, "/w/b/b.flx", {"b.txt", 3});
    SaveLastPlace(profile, "/w/a/a.flx", {"第一章/昼.txt", 7});
    EXPECT_EQ(LoadLastPlace(profile, "/w/a/a.flx"), (LastPlace{"第一章/昼.txt", 7}));
    EXPECT_EQ(LoadLastPlace(profile, "/w/b/b.flx"), (LastPlace{"b.txt", 3}));
    EXPECT_EQ(profile.GetString(kLastPlaceSection, "Book1"), "/w/a/a.flx");
    EXPECT_EQ(LoadLastPlace(profile, "/w/c/c.flx"), std::nullopt);

    for (const char* stored : {"../secret.txt", "/etc/passwd", "a/../../x.txt", "a//b.txt",
                               "", "a/", "./a.txt"}) {
        SCOPED_TRACE(stored);
        profile.WriteString(kLastPlaceSection, "File1", stored);
        EXPECT_EQ(LoadLastPlace(profile, "/w/a/a.flx"), std::nullopt);
    }
}

TEST(LastPlace, OnlyAsManyBooksAsTheRecentListAreKept) {
    MemoryProfile profile;
    for (size_t i = 0; i <= kLastPlaceCount; ++i) {
        SaveLastPlace(profile, "/w/" + std::to_string(i) + ".flx", {"x.txt", 1});
    }
    EXPECT_EQ(LoadLastPlace(profile, "/w/0.flx"), std::nullopt);
    EXPECT_EQ(LoadLastPlace(profile, "/w/1.flx"), (LastPlace{"x.txt", 1}));
}

}  // namespace
}  // namespace folix
