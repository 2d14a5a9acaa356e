#include "notation/novel_notation.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace folix {
namespace {

// The runs as one readable line: "T:text", "R:base/ruby", "E:text", joined by " + ".
std::string Describe(const std::vector<NotationRun>& runs) {
    std::string out;
    for (const NotationRun& run : runs) {
        if (!out.empty()) {
            out += " + ";
        }
        switch (run.kind) {
            case NotationKind::kText:
                out += "T:" + run.base;
                break;
            case NotationKind::kRuby:
                out += "R:" + run.base + "/" + run.ruby;
                break;
            case NotationKind::kEmphasis:
                out += "E:" + run.base;
                break;
        }
    }
    return out;
}

// What every parse must hold whatever the line: the runs tile the line, and each base is
// where the run says it is.
void ExpectRunsTileTheLine(std::string_view line, const std::vector<NotationRun>& runs) {
    std::size_t at = 0;
    for (const NotationRun& run : runs) {
        EXPECT_EQ(run.begin, at);
        EXPECT_LT(run.begin, run.end);
        EXPECT_LE(run.begin, run.base_begin);
        EXPECT_LE(run.base_end, run.end);
        if (run.kind == NotationKind::kText) {
            EXPECT_EQ(run.base_begin, run.begin);
            EXPECT_EQ(run.base_end, run.end);
            EXPECT_TRUE(run.ruby.empty());
        } else {
            EXPECT_EQ(line.substr(run.base_begin, run.base_end - run.base_begin), run.base);
        }
        at = run.end;
    }
    EXPECT_EQ(at, line.size());
}

struct NotationCase {
    const char* rule;
    std::string_view line;
    std::string_view runs;  // as Describe writes them
    std::string_view base_text;
};

const NotationCase kNotationCases[] = {
    {"empty line", "", "", ""},
    {"plain text", "ただの文。", "T:ただの文。", "ただの文。"},
    {"wide bar", "｜親文字《おやもじ》", "R:親文字/おやもじ", "親文字"},
    {"narrow bar", "|親文字《おやもじ》", "R:親文字/おやもじ", "親文字"},
    {"bar base of any characters", "彼は｜Ａ・Ｂ《えーびー》だ",
     "T:彼は + R:Ａ・Ｂ/えーびー + T:だ", "彼はＡ・Ｂだ"},
    {"bar base of 20 characters", "｜一二三四五六七八九十一二三四五六七八九十《る》",
     "R:一二三四五六七八九十一二三四五六七八九十/る", "一二三四五六七八九十一二三四五六七八九十"},
    {"bar base of 21 characters is text", "｜あいうえおかきくけこさしすせそたちつてとな《る》",
     "T:｜あいうえおかきくけこさしすせそたちつてとな《る》",
     "｜あいうえおかきくけこさしすせそたちつてとな《る》"},
    {"nearer bar wins", "｜あ｜漢字《かんじ》", "T:｜あ + R:漢字/かんじ", "｜あ漢字"},
    {"bar without bracket is text", "｜だけ", "T:｜だけ", "｜だけ"},
    {"bar before closing bracket is text", "｜あ》い《う》", "T:｜あ》い《う》", "｜あ》い《う》"},
    {"kanji before bracket", "東京《とうきょう》へ", "R:東京/とうきょう + T:へ", "東京へ"},
    {"kanji run only", "ぼくの名前《なまえ》", "T:ぼくの + R:名前/なまえ", "ぼくの名前"},
    {"kanji with marks", "人々《ひとびと》と〆切《しめきり》と三ヶ月《さんかげつ》",
     "R:人々/ひとびと + T:と + R:〆切/しめきり + T:と + R:三ヶ月/さんかげつ", "人々と〆切と三ヶ月"},
    {"kanji outside the basic block", "𠮷野《よしの》", "R:𠮷野/よしの", "𠮷野"},
    {"no kanji before bracket", "かな《かな》", "T:かな《かな》", "かな《かな》"},
    {"bracket at line start", "《かな》", "T:《かな》", "《かな》"},
    {"kanji run of 21 is text", "一二三四五六七八九十一二三四五六七八九十一《る》",
     "T:一二三四五六七八九十一二三四五六七八九十一《る》",
     "一二三四五六七八九十一二三四五六七八九十一《る》"},
    {"kanji base stops at previous ruby", "漢《かん》字《じ》", "R:漢/かん + R:字/じ", "漢字"},
    {"ruby of 50 characters",
     "字《あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわ"
     "をアイウエオ》",
     "R:字/"
     "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをア"
     "イウエオ",
     "字"},
    {"ruby of 51 characters is text",
     "字《あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわ"
     "をアイウエオカ》",
     "T:"
     "字《あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわ"
     "をアイウエオカ》",
     "字《あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわ"
     "をアイウエオカ》"},
    {"empty ruby is text", "｜字《》と字《》", "T:｜字《》と字《》", "｜字《》と字《》"},
    {"unclosed ruby is text", "｜字《じ", "T:｜字《じ", "｜字《じ"},
    {"ruby does not cross a line end", "字《じ\n》", "T:字《じ\n》", "字《じ\n》"},
    {"emphasis", "これは《《強調》》です", "T:これは + E:強調 + T:です", "これは強調です"},
    {"emphasis after kanji", "漢字《《強調》》", "T:漢字 + E:強調", "漢字強調"},
    {"empty emphasis is text", "《《》》", "T:《《》》", "《《》》"},
    {"emphasis closed once is text", "《《強調》", "T:《《強調》", "《《強調》"},
    {"emphasis closed once then ruby", "《《強調》字《じ》", "T:《《強調》 + R:字/じ",
     "《《強調》字"},
    {"emphasis broken by a single bracket", "《《強》調》》", "T:《《強》調》》", "《《強》調》》"},
    {"extra closing bracket stays", "《《強調》》》", "E:強調 + T:》", "強調》"},
    {"ruby does not nest in emphasis", "《《字《じ》》》", "T:《《 + R:字/じ + T:》》",
     "《《字》》"},
    {"emphasis does not nest in ruby", "｜字《《じ》》", "T:｜字 + E:じ", "｜字じ"},
    {"escaped bracket", "｜《かな》", "T:《かな》", "《かな》"},
    {"escaped bracket narrow bar", "|《かな》", "T:《かな》", "《かな》"},
    {"escaped bracket after kanji", "漢字｜《かな》", "T:漢字《かな》", "漢字《かな》"},
    {"escaped bracket opens no emphasis", "｜《《強調》》", "T:《《強調》》", "《《強調》》"},
    {"escape next to ruby", "｜《字《じ》", "T:《 + R:字/じ", "《字"},
    {"many pieces in one line", "｜彼《かれ》は《《必ず》》東京《とうきょう》へ",
     "R:彼/かれ + T:は + E:必ず + R:東京/とうきょう + T:へ", "彼は必ず東京へ"},
    {"malformed UTF-8 passes through", "\xE6\xBC\x22字《じ》", "T:\xE6\xBC\x22 + R:字/じ",
     "\xE6\xBC\x22字"},
    {"bracket cut off at line end", "字\xE3\x80", "T:字\xE3\x80", "字\xE3\x80"},
};

TEST(ParseNotation, ReadsEveryRuleAndLeavesEveryMalformedPieceAsTyped) {
    for (const NotationCase& row : kNotationCases) {
        SCOPED_TRACE(row.rule);
        std::vector<NotationRun> runs = ParseNotation(row.line);
        EXPECT_EQ(Describe(runs), row.runs);
        ExpectRunsTileTheLine(row.line, runs);
        EXPECT_EQ(NotationBaseText(row.line), row.base_text);
    }
}

TEST(ParseNotation, PlacesBaseAndRubyAtTheirTypedOffsets) {
    const std::string_view line = "a｜bc《d》漢《か》《《e》》";
    std::vector<NotationRun> runs = ParseNotation(line);
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(line.substr(runs[1].begin, runs[1].end - runs[1].begin), "｜bc《d》");
    EXPECT_EQ(line.substr(runs[2].begin, runs[2].end - runs[2].begin), "漢《か》");
    EXPECT_EQ(runs[2].base_begin, runs[2].begin);
    EXPECT_EQ(line.substr(runs[3].begin, runs[3].end - runs[3].begin), "《《e》》");
}

struct UprightCase {
    std::string_view text;
    int max_digits;
    std::vector<std::string_view> upright;
};

TEST(FindUprightRuns, SetsShortDigitRunsAndMarkPairsUpright) {
    const UprightCase cases[] = {
        {"第1話", 2, {"1"}},
        {"12月25日", 2, {"12", "25"}},
        {"2024年", 2, {}},
        {"2024年", 4, {"2024"}},
        {"100円と12345円", 3, {"100"}},
        {"100円", 2, {}},
        {"out of range counts clamp: 12345", 9, {}},
        {"out of range counts clamp: 12", 0, {"12"}},
        {"何!? 本当!! まさか?! ええ??", 2, {"!?", "!!", "?!", "??"}},
        {"一つ! 三つ!!! 混ざる!?!", 2, {}},
        {"A4の紙とmp3と7z", 4, {}},
        {"３月は全角", 2, {}},
        {"3.14", 2, {"3", "14"}},
    };
    for (const UprightCase& row : cases) {
        SCOPED_TRACE(row.text);
        std::vector<std::string_view> found;
        for (const UprightRun& run : FindUprightRuns(row.text, row.max_digits)) {
            found.push_back(row.text.substr(run.begin, run.end - run.begin));
        }
        EXPECT_EQ(found, row.upright);
    }
}

}  // namespace
}  // namespace folix
