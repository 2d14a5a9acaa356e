#include "editing/width_folding.h"

#include <gtest/gtest.h>

#include <set>

#include "book/text_encoding.h"
#include "editing/person_name.h"

namespace folix {
namespace {

struct Folded {
    std::string search;
    std::string other;
};

Folded Fold(std::string search, std::string other) {
    FoldWidth(search, other);
    return {search, other};
}

// As the person-name tree search does it: both sides folded against the name first.
bool FindsName(std::string name, std::string text) {
    FoldWidth(name, text);
    return MatchPersonName(name, text);
}

TEST(WidthFoldingTable, PairsEveryPrintableAsciiButSmallLettersWithItsShiftJisTwin) {
    std::set<char> ascii;
    for (const WidthPair& pair : WidthFoldingTable()) {
        const std::string code{static_cast<char>(pair.sjis >> 8), static_cast<char>(pair.sjis)};
        EXPECT_EQ(DecodeCp932(code), std::string(pair.wide)) << "pair for " << pair.ascii;
        ascii.insert(pair.ascii);
    }
    EXPECT_EQ(WidthFoldingTable().size(), 69u);
    EXPECT_EQ(ascii.size(), 69u);
    for (char c = ' '; c <= '~'; ++c) {
        EXPECT_EQ(ascii.count(c), (c >= 'a' && c <= 'z') ? 0u : 1u) << c;
    }
}

TEST(FoldWidth, FoldsBothWidthsOfWhatTheSearchTextHolds) {
    Folded cat = Fold("cat", "ｃａｔ, ＣＡＴ and Cat");
    EXPECT_EQ(cat.search, "CAT");
    EXPECT_EQ(cat.other, "CAT, CAT AND CAT");

    Folded wide = Fold("（１－２）", "(1-2) と （１－２）");
    EXPECT_EQ(wide.search, "(1-2)");
    EXPECT_EQ(wide.other, "(1-2) と (1-2)");

    Folded quotes = Fold("\u201D\\", "\"￥\u201D");
    EXPECT_EQ(quotes.search, "\"\\");
    EXPECT_EQ(quotes.other, "\"\\\"");
}

TEST(FoldWidth, LeavesWhatTheSearchTextLacksAndIsStableOnceFolded) {
    Folded other = Fold("a", "Ｂ１　ｂ 漢字");
    EXPECT_EQ(other.other, "Ｂ１　Ｂ 漢字");  // only upper-cased
    std::string search = "山田　ＡＢＣ";
    std::string first = "山田　ａｂｃ";
    FoldWidth(search, first);
    EXPECT_EQ(search, "山田 ABC");
    EXPECT_EQ(first, "山田 ABC");
    std::string again = search;
    std::string second = "ＡＢＣ";
    FoldWidth(again, second);
    EXPECT_EQ(again, search);
    EXPECT_EQ(second, "ABC");
}

TEST(EqualsFolded, IgnoresCaseAndWidthButNotOtherDifferences) {
    EXPECT_TRUE(EqualsFolded("cat", "ＣＡＴ"));
    EXPECT_TRUE(EqualsFolded("ＣＡＴ", "cat"));
    EXPECT_TRUE(EqualsFolded("ｃａｔ", "Cat"));
    EXPECT_TRUE(EqualsFolded("No.1", "Ｎｏ．１"));
    EXPECT_FALSE(EqualsFolded("cat", "ca"));
    EXPECT_FALSE(EqualsFolded("cat", "ＣＡＴ "));
    EXPECT_FALSE(EqualsFolded("ねこ", "ネコ"));
}

TEST(MatchPersonName, NameTypedWithASpaceFindsItWithOrWithoutOne) {
    EXPECT_TRUE(FindsName("山田　太郎", "そこへ山田太郎が来た。"));
    EXPECT_TRUE(FindsName("山田　太郎", "そこへ山田 太郎が来た。"));
    EXPECT_TRUE(FindsName("山田 太郎", "そこへ山田　太郎が来た。"));
    EXPECT_TRUE(FindsName("Yamada  Taro", "yamada taro"));
    EXPECT_FALSE(FindsName("山田　太郎", "山田花子と太郎"));
    EXPECT_FALSE(FindsName("山田　太郎", "山田  太郎"));  // two spaces are not one
    EXPECT_TRUE(FindsName("山田", "山田は"));
    EXPECT_FALSE(FindsName("山田", "山 田"));
}

TEST(MatchPersonName, StraySpacesAroundTheNameDoNotStopIt) {
    EXPECT_TRUE(FindsName("　山田　太郎 ", "山田太郎は"));
    EXPECT_TRUE(FindsName(" 山田 太郎", "「山田 太郎」"));
    EXPECT_FALSE(FindsName("　山田　", "山口"));
}

}  // namespace
}  // namespace folix
