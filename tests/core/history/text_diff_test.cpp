#include "history/text_diff.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/version_length.h"

namespace folix {
namespace {

using Kind = DiffPiece::Kind;
using Pieces = std::vector<DiffPiece>;

std::string Side(const Pieces& pieces, Kind other) {
    std::string text;
    for (const DiffPiece& piece : pieces) {
        if (piece.kind == Kind::kSame || piece.kind == other) {
            text += piece.text;
        }
    }
    return text;
}

// The differences read as a writer sees them: within a long paragraph only the changed
// characters, whole paragraphs where they came or went, the line ends as they are.
TEST(TextDiff, MarksTheChangedCharactersInsideChangedParagraphs) {
    struct Row {
        const char* name;
        std::string older;
        std::string newer;
        Pieces pieces;
    };
    const std::string long_paragraph(3000, 'x');
    const Row rows[] = {
        {"the same", "朝。\r\n", "朝。\r\n", {{Kind::kSame, "朝。\r\n"}}},
        {"both empty", "", "", {}},
        {"one character in a paragraph",
         "吾輩は猫である。名前はまだ無い。\r\nどこで生れたか。\r\n",
         "吾輩は犬である。名前はまだ無い。\r\nどこで生れたか。\r\n",
         {{Kind::kSame, "吾輩は"},
          {Kind::kRemoved, "猫"},
          {Kind::kAdded, "犬"},
          {Kind::kSame, "である。名前はまだ無い。\r\nどこで生れたか。\r\n"}}},
        {"a paragraph inserted",
         "一\n三\n",
         "一\n二\n三\n",
         {{Kind::kSame, "一\n"}, {Kind::kAdded, "二\n"}, {Kind::kSame, "三\n"}}},
        {"a paragraph removed, the next changed",
         "一\n二\n三\n四\n",
         "一\n三!\n四\n",
         {{Kind::kSame, "一\n"},
          {Kind::kRemoved, "二\n"},
          {Kind::kSame, "三"},
          {Kind::kAdded, "!"},
          {Kind::kSame, "\n四\n"}}},
        {"words added at the end of a long paragraph",
         long_paragraph + "\n",
         long_paragraph + "、そして\n",
         {{Kind::kSame, long_paragraph}, {Kind::kAdded, "、そして"}, {Kind::kSame, "\n"}}},
        {"a line end changed",
         "一\r\n二",
         "一\n二",
         {{Kind::kSame, "一"}, {Kind::kRemoved, "\r"}, {Kind::kSame, "\n二"}}},
        {"from nothing", "", "新しい\n", {{Kind::kAdded, "新しい\n"}}},
        {"bytes that are not UTF-8 compared one by one",
         "a\x82\xa0"
         "b",
         "a\x82\xa1"
         "b",
         {{Kind::kSame, "a\x82"},
          {Kind::kRemoved, "\xa0"},
          {Kind::kAdded, "\xa1"},
          {Kind::kSame, "b"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Pieces pieces = DiffTexts(row.older, row.newer);
        EXPECT_EQ(pieces, row.pieces);
        EXPECT_EQ(Side(pieces, Kind::kRemoved), row.older);
        EXPECT_EQ(Side(pieces, Kind::kAdded), row.newer);
    }
}

// Whatever the texts, the pieces give back both byte for byte, and a rewrite beyond the
// search's reach is marked whole rather than taking the memory of the machine.
TEST(TextDiff, ThePiecesGiveBackBothTextsEvenForAWholeRewrite) {
    unsigned seed = 7;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7fff;
    };
    const char* units[] = {"あ", "い", "漢", "。", "\r\n", "\n", "a", "《", "\xff"};
    for (int round = 0; round < 40; ++round) {
        std::string older;
        std::string newer;
        for (int i = 0; i < 300; ++i) {
            const char* unit = units[next() % 9];
            older += unit;
            newer += next() % 5 == 0 ? units[next() % 9] : unit;
        }
        const Pieces pieces = DiffTexts(older, newer);
        ASSERT_EQ(Side(pieces, Kind::kRemoved), older);
        ASSERT_EQ(Side(pieces, Kind::kAdded), newer);
    }
    std::string a;
    std::string b;
    for (int i = 0; i < 20000; ++i) {
        a += static_cast<char>('a' + next() % 26);
        b += static_cast<char>('a' + next() % 26);
    }
    const Pieces rewrite = DiffTexts(a, b);
    EXPECT_EQ(Side(rewrite, Kind::kRemoved), a);
    EXPECT_EQ(Side(rewrite, Kind::kAdded), b);
}

// 文字数 of a version as the count of the book has it: notation applied, no line ends or
// spaces; CP932 and rich text by their text.
TEST(VersionLength, CountsAVersionAsTheBookCountsItsFile) {
    EXPECT_EQ(VersionCharacters("｜東京《とうきょう》へ\r\n　行く。"), 6u);
    EXPECT_EQ(VersionCharacters("\x92\xa9\x81\x42\r\n"), 2u);
    EXPECT_EQ(VersionCharacters("{\\rtf1\\ansi abc\\par de}"), 5u);
    EXPECT_EQ(VersionCharacters(""), 0u);
}

}  // namespace
}  // namespace folix
