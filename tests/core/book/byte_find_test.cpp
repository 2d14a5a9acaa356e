#include "book/byte_find.h"

#include <gtest/gtest.h>

#include <string>

namespace folix {
namespace {

// FindBytes answers as std::string_view::find does, wherever the needle lies against the
// sixteen bytes it tests at once: at each place of texts around that width, with the needle's
// first and last bytes alone also scattered before it, and cut off at the end.
TEST(FindBytes, FindsWhatFindFinds) {
    const std::string needles[] = {
        "x", "《", "静か", "ab", "aXb", "ＨＴＭＬ５の本です", "aaaaaaaaaaaaaaaaaab"};
    for (const std::string& needle : needles) {
        for (size_t size = 0; size <= 48; ++size) {
            for (size_t at = 0; at <= size; ++at) {
                // Decoys: the first and the last byte of the needle, each alone, all over.
                std::string text(size, needle.front());
                for (size_t i = 1; i < size; i += 3) {
                    text[i] = needle.back();
                }
                for (const std::string& probe :
                     {text.substr(0, at) + needle + text.substr(at),
                      text.substr(0, at) + needle.substr(0, needle.size() - 1), text}) {
                    ASSERT_EQ(FindBytes(probe, needle), std::string_view(probe).find(needle))
                        << ::testing::PrintToString(probe) << " " << needle;
                }
            }
        }
    }
    EXPECT_EQ(FindBytes("abc", ""), 0u);
    EXPECT_EQ(FindBytes("", "a"), std::string_view::npos);
}

}  // namespace
}  // namespace folix
