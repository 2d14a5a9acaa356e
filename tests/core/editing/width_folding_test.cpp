#include "editing/width_folding.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "book/text_encoding.h"
#include "editing/person_name.h"
#include "rtf/book_text.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

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

// The search folded once must find exactly what folding the search text and each text whole
// finds, on texts that mix widths, cases, kana of both kinds, quotes that fold, stray bytes and
// the text of CP932 and rich-text files as a build reads them.
TEST(WidthFoldedSearch, FindsWhatFoldingBothWholeFinds) {
    testing::TempFolder dir;
    testing::ScriptedUi ui;
    testing::WriteBytes(dir / "sjis.txt",
                        testing::Cp932("ＡＢＣ株式会社　abc\r\nｶﾀｶﾅとカタカナ（１）\r\n"));
    testing::WriteBytes(dir / "rich.rtf",
                        "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fcharset128 x;}}"
                        "\\f0 Cat \\'82\\'60\\'82\\'81 \\'82\\'a9\\'82\\'c8\\par No.\\'82\\'50}");
    std::vector<std::string> texts = {
        "ｃａｔ, ＣＡＴ and Cat (1-2) と （１－２）",
        "\"￥\u201D\u2019\u2018'` 山田　太郎 山田 太郎",
        "ひらがな カタカナ ｶﾀｶﾅ ﾊﾟﾝ パン ぱん",
        "No.1 Ｎｏ．１ ｎｏ.1 \tTAB\ttab",
        std::string("bad \xE3 byte \xEF\xBC ａ \xBC\xA1 end \xEF\xBF\xBD ") + "\xFF",
        "",
    };
    for (const char* name : {"sjis.txt", "rich.rtf"}) {
        std::string text;
        ASSERT_TRUE(ReadBookFileText(ui, dir / name, text)) << name;
        texts.push_back(text);
    }
    EXPECT_NE(texts[6].find("カタカナ"), std::string::npos);
    EXPECT_NE(texts[7].find("かな"), std::string::npos);

    std::vector<std::string> searches = {
        "cat",        "CAT",          "ｃａｔ",   "Ａ計画", "(1-2)", "（１－２）",
        "１－",       "\"",           "\u201D",   "'",      "￥",    "\\",
        "山田 太郎",  "山田　太郎",   "カタカナ", "ｶﾀｶﾅ",   "ﾊﾟ",    "かな",
        "ＡＢＣ株式", "abc株",        "no.1",     "\t",     "\tt",   "\xBC\xA1",
        "\xE3",       "\xEF\xBF\xBD", "\xFF",     "ａ ",    "e",
    };
    // Every piece of every text up to four characters long, too.
    for (const std::string& text : texts) {
        std::vector<size_t> starts;
        for (size_t pos = 0; pos < text.size();) {
            starts.push_back(pos);
            NextCodePoint(text, pos);
        }
        starts.push_back(text.size());
        for (size_t i = 0; i < starts.size(); ++i) {
            for (size_t j = i + 1; j < starts.size() && j <= i + 4; ++j) {
                searches.push_back(text.substr(starts[i], starts[j] - starts[i]));
            }
        }
    }
    int found = 0;
    for (const std::string& search : searches) {
        const WidthFoldedSearch folded(search);
        for (const std::string& text : texts) {
            std::string reference_search = search;
            std::string reference_text = text;
            FoldWidth(reference_search, reference_text);
            const bool expected = reference_text.find(reference_search) != std::string::npos;
            EXPECT_EQ(folded.FoundIn(text), expected)
                << "\"" << search << "\" in \"" << text << "\"";
            EXPECT_EQ(folded.text(), reference_search);
            found += expected ? 1 : 0;
        }
    }
    EXPECT_GT(found, 100);

    // And texts and search texts strung at random from characters in both widths and cases,
    // quotes and yen that fold, and stray bytes, so that the places a match may begin overlap.
    const std::vector<std::string> pieces = {
        "a",  "A",  "ａ",     "Ａ",       "t",        "Ｔ",   "(",  "（", "1",
        "１", "\"", "\u201D", "'",        "\u2019",   "￥",   "\\", " ",  "\u3000",
        "あ", "カ", "\xE3",   "\xEF\xBC", "\xBC\xA1", "\xFF", "\t"};
    std::mt19937 random(11);
    const auto string_of = [&](int most) {
        std::string text;
        for (int n = std::uniform_int_distribution<int>(1, most)(random); n > 0; --n) {
            text += pieces[random() % pieces.size()];
        }
        return text;
    };
    int random_found = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::string search = string_of(3);
        const std::string text = string_of(40);
        std::string reference_search = search;
        std::string reference_text = text;
        FoldWidth(reference_search, reference_text);
        const bool expected = reference_text.find(reference_search) != std::string::npos;
        ASSERT_EQ(WidthFoldedSearch(search).FoundIn(text), expected)
            << ::testing::PrintToString(search) << " in " << ::testing::PrintToString(text);
        random_found += expected ? 1 : 0;
    }
    EXPECT_GT(random_found, 500);
}

}  // namespace
}  // namespace folix
