#include "typeset/grid_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "typeset/line_break_rules.h"
#include "typeset/reader_line.h"
#include "typeset/ruby_placement.h"

namespace folix {
namespace {

std::string Repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

TEST(LineBreakRules, ClassesOfTheCharactersThatMatter) {
    struct Row {
        char32_t c;
        bool no_start, no_end, hangs, opening, upright;
    };
    const Row rows[] = {
        {U'。', true, false, true, false, true},   {U'、', true, false, true, false, true},
        {U'」', true, false, true, false, true},   {U'』', true, false, true, false, true},
        {U'ー', true, false, false, false, true},  {U'ゃ', true, false, false, false, true},
        {U'ッ', true, false, false, false, true},  {U'々', true, false, false, false, true},
        {U'・', true, false, false, false, true},  {U'！', true, false, false, false, true},
        {U'「', false, true, false, true, true},   {U'《', false, true, false, true, true},
        {U'（', false, true, false, true, true},   {U'“', false, true, false, false, false},
        {U'(', false, true, false, false, false},  {U')', true, false, false, false, false},
        {U'あ', false, false, false, false, true}, {U'漢', false, false, false, false, true},
        {U'A', false, false, false, false, false}, {U'1', false, false, false, false, false},
        {U'１', false, false, false, false, true}, {U'𠮷', false, false, false, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<uint32_t>(row.c));
        EXPECT_EQ(IsNoStart(row.c), row.no_start);
        EXPECT_EQ(IsNoEnd(row.c), row.no_end);
        EXPECT_EQ(HangsPastLineEnd(row.c), row.hangs);
        EXPECT_EQ(IsOpeningBracket(row.c), row.opening);
        EXPECT_EQ(StandsUprightInVertical(row.c), row.upright);
    }
    EXPECT_TRUE(IsInseparable(U'…'));
    EXPECT_TRUE(IsInseparable(U'—'));
    EXPECT_FALSE(IsInseparable(U'ー'));
}

// The reader's line in code points: what is shown, where each shown character was typed.
TEST(ReaderLine, ShowsTheNotationAsReadWithTypedOffsets) {
    const ReaderLine plain = ReadTypedLine("ただの行𠮷");
    EXPECT_EQ(plain.text, U"ただの行𠮷");
    EXPECT_TRUE(plain.typed_offset.empty());

    const ReaderLine read = ReadTypedLine("𠮷｜東京《とうきょう》へ《《必ず》》");
    EXPECT_EQ(read.text, U"𠮷東京へ必ず");
    EXPECT_EQ(read.typed_offset, (std::vector<size_t>{0, 2, 3, 11, 14, 15, 18}));
    ASSERT_EQ(read.marks.size(), 2u);
    EXPECT_EQ(read.marks[0].kind, NotationKind::kRuby);
    EXPECT_EQ(read.marks[0].begin, 1u);
    EXPECT_EQ(read.marks[0].end, 3u);
    EXPECT_EQ(read.marks[0].ruby, U"とうきょう");
    EXPECT_EQ(read.marks[1].kind, NotationKind::kEmphasis);
    EXPECT_EQ(read.marks[1].begin, 4u);
    EXPECT_EQ(ShownOffsetOf(read.typed_offset, 5), 2u);  // inside the ruby: its base's last
    EXPECT_EQ(ShownOffsetOf(read.typed_offset, 11), 3u);

    const std::vector<ShownSpan> upright = UprightSpansOf(U"12月3日、2026年!?", 2);
    ASSERT_EQ(upright.size(), 3u);
    EXPECT_EQ(upright[0].begin, 0u);
    EXPECT_EQ(upright[0].end, 2u);
    EXPECT_EQ(upright[1].begin, 3u);
    EXPECT_EQ(upright[2].begin, 11u);
    EXPECT_EQ(upright[2].end, 13u);
}

TEST(RubyPlacement, SpreadsShortRubyAndOverhangsKanaOnly) {
    EXPECT_EQ(MonoRubyShare(2, 4), 2);
    EXPECT_EQ(MonoRubyShare(2, 3), 0);
    EXPECT_EQ(MonoRubyShare(1, 3), 0);
    const RubyPlacement spread = PlaceRuby(2, 2, 1, 2, 0, 0);
    EXPECT_DOUBLE_EQ(spread.ruby_gap, 0.5);
    const RubyPlacement over = PlaceRuby(1, 1, 2.5, 5, 0.5, 0);
    EXPECT_DOUBLE_EQ(over.start, -0.5);
    EXPECT_DOUBLE_EQ(over.base_gap, 1.0);
    EXPECT_TRUE(RubyMayOverhang(U'か'));
    EXPECT_TRUE(RubyMayOverhang(U'カ'));
    EXPECT_FALSE(RubyMayOverhang(U'漢'));
}

// 文字数 and 行 of texts on a grid of twenty cells a line.
TEST(GridLayout, CountsCharactersAndGridLinesAsAManuscriptSheetDoes) {
    struct Row {
        const char* what;
        std::string text;
        uint64_t characters, grid_lines;
        int upright_digits = 2;
    };
    const std::string twenty = Repeat("あ", 20);
    const Row rows[] = {
        {"an empty text", "", 0, 0},
        {"one short paragraph", "吾輩は猫である。", 8, 1},
        {"exactly one line", twenty, 20, 1},
        {"one more than a line", twenty + "い", 21, 2},
        {"a stop hangs past the end", twenty + "。", 21, 1},
        {"stops and a bracket hang together", twenty + "。」、", 23, 1},
        {"what follows the hanging begins the next line", twenty + "」い", 22, 2},
        {"a paragraph's first character never hangs", "。" + Repeat("あ", 5), 6, 1},
        {"an opening bracket leaves the last cell empty", Repeat("あ", 19) + "「い」", 22, 2},
        {"an opening bracket before the last cell stays", Repeat("あ", 18) + "「い」", 21, 1},
        {"empty lines take a line each", "一\r\n\r\n\r\n二\r\n", 2, 4},
        {"any line end ends a paragraph", "一\n二\r三\r\n", 3, 3},
        {"spaces take cells but are not counted", "　" + Repeat("あ", 19) + " い\t", 20, 2},
        {"ruby and emphasis take no cells", Repeat("｜漢字《かんじ》", 10) + "《《点》》", 21, 2},
        {"an implicit ruby over kanji", "東京《とうきょう》へ", 3, 1},
        {"upright digits share one cell", Repeat("あ", 19) + "12月", 22, 2},
        {"a longer digit run takes a cell each", Repeat("あ", 18) + "123", 21, 2},
        {"three digits upright where the book allows", Repeat("あ", 18) + "123", 21, 1, 3},
        {"characters beyond the first plane are one each", Repeat("𠮷", 20), 20, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const TextLength length = MeasureText(row.text, 20, row.upright_digits);
        EXPECT_EQ(length.characters, row.characters);
        EXPECT_EQ(length.grid_lines, row.grid_lines);
    }
}

TEST(GridLayout, PlacesEachUnitInItsCell) {
    const std::u32string shown = std::u32string(10, U'あ') + U"。12「い";
    const std::vector<GridUnit> units = GridUnitsOf(shown, UprightSpansOf(shown, 2));
    ASSERT_EQ(units.size(), 14u);
    std::vector<GridPlace> places;
    EXPECT_EQ(SetOnGrid(shown, units, 10, &places), 2);
    EXPECT_EQ(places[9].cell, 9);
    EXPECT_EQ(places[10].line, 0);  // 。 hangs past the tenth cell
    EXPECT_EQ(places[10].cell, 10);
    EXPECT_EQ(places[11].line, 1);  // 12 in one cell
    EXPECT_EQ(places[11].cell, 0);
    EXPECT_EQ(places[12].cell, 1);
    EXPECT_EQ(places[13].cell, 2);
}

}  // namespace
}  // namespace folix
