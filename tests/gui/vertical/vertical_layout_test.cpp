#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QTextCursor>
#include <QTextDocument>

#include "gui/vertical/vertical_layout.h"

namespace folix {
namespace {

using gui::VerticalLayout;

// A document in the Japanese face at 20 pixels, so an upright character is 20 pixels tall.
class VerticalLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        QFont font;
        font.setFamilies({"Noto Sans CJK JP"});
        font.setPixelSize(20);
        document.setDefaultFont(font);
        layout = std::make_unique<VerticalLayout>(&document);
    }
    void Lay(const QString& text, qreal ems) {
        document.setPlainText(text);
        layout->SetColumnHeight(ems * 20 + 0.5);
    }
    int Column(int position) { return layout->ColumnOfPosition(position); }

    QTextDocument document;
    std::unique_ptr<VerticalLayout> layout;
};

TEST_F(VerticalLayoutTest, ColumnsRunTopToBottomThenRightToLeft) {
    Lay("一二三四五六七八九十\n次", 4);
    ASSERT_EQ(layout->RawFont().familyName(), "Noto Sans CJK JP");
    EXPECT_EQ(layout->ColumnCount(), 4);  // 4 + 4 + 2, and the second paragraph opens its own
    const QRectF first = layout->UnitRect(0);
    EXPECT_DOUBLE_EQ(first.top(), 0);
    EXPECT_DOUBLE_EQ(first.height(), 20);
    EXPECT_LE(first.right(), 0);  // the first column is at the right edge
    EXPECT_GT(first.right(), -layout->ColumnPitch() / 2);
    EXPECT_DOUBLE_EQ(layout->UnitRect(1).top(), 20);  // down the column
    EXPECT_DOUBLE_EQ(layout->UnitRect(1).left(), first.left());
    EXPECT_DOUBLE_EQ(layout->UnitRect(4).top(), 0);  // the fifth opens the next column, left
    EXPECT_DOUBLE_EQ(layout->UnitRect(4).left(), first.left() - layout->ColumnPitch());
    EXPECT_EQ(Column(9), 2);
    EXPECT_EQ(Column(11), 3);
    EXPECT_EQ(layout->ColumnAtX(first.center().x() - 2 * layout->ColumnPitch()), 2);
}

// The font's own vertical forms, not turned horizontal ones: the stop sits in the top right of
// its square and the brackets open downwards.
TEST_F(VerticalLayoutTest, PunctuationTakesTheFontsVerticalFormsWhereTheFontPutsThem) {
    Lay("。、「」ー〜…", 10);
    const QRawFont& raw = layout->RawFont();
    const QString marks = "。、「」ー〜…";
    const QVector<quint32> horizontal = raw.glyphIndexesForString(marks);
    const gui::ShapedParagraph& shaped = layout->ShapedBlock(0);
    ASSERT_EQ(shaped.units.size(), marks.size());
    for (int i = 0; i < marks.size(); ++i) {
        const gui::VerticalUnit& unit = shaped.units[i];
        EXPECT_FALSE(unit.sideways) << i;
        EXPECT_NE(shaped.glyphs[unit.first_glyph].index, horizontal[i]) << i;
        EXPECT_NEAR(unit.advance, 20, 0.01) << i;
    }
    for (int i : {0, 1}) {  // 。、 in the upper right quarter
        const gui::VerticalGlyph& glyph = shaped.glyphs[shaped.units[i].first_glyph];
        const QRectF ink = raw.boundingRect(glyph.index).translated(glyph.offset);
        EXPECT_GT(ink.center().x(), 0) << i;
        EXPECT_LT(ink.center().y(), 10) << i;
        EXPECT_GT(ink.top(), -1) << i;
    }
    // 「 opens downwards: its ink is in the lower part of its square and across the line
    const gui::VerticalGlyph& open = shaped.glyphs[shaped.units[2].first_glyph];
    const QRectF ink = raw.boundingRect(open.index).translated(open.offset);
    EXPECT_GT(ink.center().y(), 10);
    EXPECT_GT(ink.width(), ink.height());
}

TEST_F(VerticalLayoutTest, LatinRunsAreShapedSidewaysAndKeptWhole) {
    Lay("縦にLatin語", 20);
    const gui::ShapedParagraph& shaped = layout->ShapedBlock(0);
    ASSERT_EQ(shaped.units.size(), 8);
    EXPECT_FALSE(shaped.units[0].sideways);
    qreal latin = 0;
    for (int i = 2; i < 7; ++i) {
        EXPECT_TRUE(shaped.units[i].sideways);
        EXPECT_TRUE(shaped.units[i].word);
        latin += shaped.units[i].advance;
    }
    EXPECT_FALSE(shaped.units[7].sideways);
    // proportional letters, a lot narrower than five squares
    EXPECT_LT(latin, 5 * 20 * 0.8);
    EXPECT_GT(latin, 20);

    // A word that would be cut moves whole to the next column.
    const qreal la = shaped.units[2].advance + shaped.units[3].advance;
    document.setPlainText("縦にLatin語");
    layout->SetColumnHeight(40 + la + 1);  // 縦にLa fits, t does not
    EXPECT_EQ(Column(2), 1);
    EXPECT_EQ(Column(1), 0);
}

// Characters the book's face lacks come from the face Qt falls back to, never as empty boxes:
// an upright symbol and a sideways Armenian word, each in a run of its own.
TEST_F(VerticalLayoutTest, CharactersTheFaceLacksAreDrawnInAStandInFace) {
    const QString text =
        QString("放射") + QChar(0x2622) + "と" + QChar(0x0531) + QChar(0x0532) + "語";
    ASSERT_FALSE(layout->RawFont().supportsCharacter(0x2622));
    ASSERT_FALSE(layout->RawFont().supportsCharacter(0x0531));
    Lay(text, 20);
    const gui::ShapedParagraph& shaped = layout->ShapedBlock(0);
    ASSERT_EQ(shaped.units.size(), 7);
    for (int i : {0, 1, 3, 6}) {
        EXPECT_EQ(shaped.units[i].face, 0) << i;
    }
    for (int i : {2, 4, 5}) {
        const gui::VerticalUnit& unit = shaped.units[i];
        ASSERT_NE(unit.face, 0) << i;
        EXPECT_TRUE(layout->FaceFont(unit.face).supportsCharacter(text.at(i).unicode())) << i;
        EXPECT_NE(shaped.glyphs[unit.first_glyph].index, 0u) << i;
        EXPECT_GT(unit.advance, 5) << i;
    }
    EXPECT_FALSE(shaped.units[2].sideways);
    EXPECT_TRUE(shaped.units[4].sideways);
    EXPECT_TRUE(shaped.units[5].word);

    // and the symbol is inked in its square
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.translate(150, 0);
        layout->Draw(painter, 0, 0, 0, 0, {});
    }
    const QRect square = layout->UnitRect(2).translated(150, 0).toAlignedRect();
    int dark = 0;
    for (int x = square.left(); x <= square.right(); ++x) {
        for (int y = square.top(); y <= square.bottom(); ++y) {
            dark += qGray(image.pixel(x, y)) < 128;
        }
    }
    EXPECT_GT(dark, 20);
}

// A selection across a paragraph's end shows that end: half a square after its last character.
TEST_F(VerticalLayoutTest, SelectedParagraphEndIsHighlighted) {
    Lay("一二\n三", 10);
    const auto highlighted_below_two = [this](int selection_start, int selection_end) {
        QImage image(200, 220, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.translate(150, 0);
        gui::VerticalLayout::Colors colors;
        layout->Draw(painter, 0, 1, selection_start, selection_end, colors);
        const QPointF inside = layout->UnitRect(1).bottomLeft() + QPointF(10, 5);
        return image.pixelColor((inside + QPointF(150, 0)).toPoint()) == colors.highlight;
    };
    EXPECT_TRUE(highlighted_below_two(1, 4));   // 二, the end and 三
    EXPECT_FALSE(highlighted_below_two(0, 2));  // 一二 only
}

TEST_F(VerticalLayoutTest, ColumnsNeverOpenWithClosingMarksNorCloseWithOpeningOnes) {
    Lay("一二三。", 3);  // 。 would open the second column: 三 goes with it
    EXPECT_EQ(Column(2), 1);
    EXPECT_EQ(Column(3), 1);
    EXPECT_EQ(Column(1), 0);

    for (const char* closing : {"、", "」", "ー", "ァ", "っ", "ョ", "…"}) {
        Lay(QString("一二三") + closing + "四", 3);
        EXPECT_EQ(Column(2), 1) << closing;
    }
    Lay("一二「三」", 3);  // 「 would close the first column: it opens the second
    EXPECT_EQ(Column(1), 0);
    EXPECT_EQ(Column(2), 1);
    EXPECT_EQ(Column(3), 1);

    Lay("一二。」、", 2);  // two marks running over: the break moves back past both
    EXPECT_EQ(Column(1), 1);
    EXPECT_EQ(Column(0), 0);

    // Nothing but marks: the columns still fill and end.
    Lay("。。。。。。", 2);
    EXPECT_EQ(layout->ColumnCount(), 3);
}

// Every position of a mixed paragraph comes back from its caret's place, and the points of a
// column map to the character drawn there.
TEST_F(VerticalLayoutTest, PositionsAndPointsRoundTrip) {
    Lay("縦書きの「テスト」です。Latin and 数字123も、ァー…\n\n次の段落", 6);
    const int length = document.characterCount() - 1;
    for (int p = 0; p <= length; ++p) {
        const QRectF caret = layout->CaretRect(p);
        EXPECT_EQ(layout->PositionAt(caret.center()), p) << p;
        EXPECT_NEAR(caret.width(), 20, 0.01);
        if (p < length && document.characterAt(p) != QChar::ParagraphSeparator) {
            const QRectF unit = layout->UnitRect(p);
            EXPECT_EQ(layout->PositionAt(unit.center() - QPointF(0, unit.height() / 4)), p) << p;
            // the lower half is after the character, unless a column ends with it: the caret
            // stays in the column the point is in
            const int after = Column(p + 1) == Column(p) ? p + 1 : p;
            EXPECT_EQ(layout->PositionAt(unit.center() + QPointF(0, unit.height() / 4)), after)
                << p;
        }
    }
    // beyond the text: the last column's end; before the first column: the first one's
    EXPECT_EQ(layout->PositionAt(QPointF(-1e6, 1e6)), length);
    EXPECT_EQ(layout->PositionAt(QPointF(50, -5)), 0);
}

TEST_F(VerticalLayoutTest, EditsReshapeOnlyWhatChangedAndKeepColumnsRight) {
    Lay("一二三四\n五六\n七", 2);
    EXPECT_EQ(layout->ColumnCount(), 4);
    QTextCursor cursor(&document);
    cursor.setPosition(6);  // after 五
    cursor.insertText("八九");
    EXPECT_EQ(layout->ColumnCount(), 5);
    EXPECT_EQ(Column(10), 4);  // 七 moved one column on
    cursor.insertBlock();
    EXPECT_EQ(layout->ColumnCount(), 6);
    document.undo();
    document.undo();
    EXPECT_EQ(layout->ColumnCount(), 4);
    EXPECT_EQ(Column(8), 3);
    layout->SetColumnHeight(4 * 20 + 0.5);
    EXPECT_EQ(layout->ColumnCount(), 3);
}

// A long document is shaped only as far as it has been asked about; the rest is an estimate
// that becomes exact as the writer moves on, and edits before that point keep it right.
TEST_F(VerticalLayoutTest, LongDocumentIsLaidOutAsFarAsItIsSeen) {
    layout->SetWholeLayoutLimit(0);
    QString text;
    for (int p = 0; p < 100; ++p) {
        text += QString("縦").repeated(30) + "\n";  // three columns of ten each
    }
    Lay(text, 10);
    EXPECT_EQ(Column(31 * 2), 6);  // the third paragraph
    EXPECT_LE(layout->CountedParagraphs(), 4);
    EXPECT_NEAR(layout->ColumnCount(), 301, 75);  // 100 paragraphs and an empty last one

    QTextCursor cursor(&document);
    cursor.insertText(QString("書").repeated(10));  // a fourth column for the first paragraph
    EXPECT_EQ(Column(31 * 2 + 10), 7);
    EXPECT_LE(layout->CountedParagraphs(), 4);

    // the last paragraph is asked about: everything is counted, exactly
    const int end = document.characterCount() - 1;
    EXPECT_EQ(Column(end - 1), 300);
    EXPECT_EQ(layout->CountedParagraphs(), 100);
    EXPECT_EQ(Column(end), 301);
    EXPECT_EQ(layout->CountedParagraphs(), 101);
    EXPECT_EQ(layout->ColumnCount(), 302);
    EXPECT_EQ(layout->PositionAt(layout->CaretRect(end - 5).center()), end - 5);
}

// How the notation is typeset: the text shown, the ruby's reach along the column (in pixels
// from the paragraph's top, the em being 20 and the ruby 10), where a character typed at
// `probe` lands, and how many characters carry dots or are digits set upright.
struct TypesetCase {
    const char* rule;
    QString typed;
    QString shown;
    int rubies;
    int base_at;  // typed offset of the first ruby's first base character
    qreal ruby_top, ruby_bottom;
    int probe;
    qreal probe_top;
    int dotted;
    int combined;
};

const TypesetCase kTypesetCases[] = {
    {"short group ruby spreads 1:2:1", "漢字《かんじ》です", "漢字です", 1, 0, 10.0 / 6,
     40 - 10.0 / 6, 7, 40, 0, 0},
    {"long ruby between kanji spreads its base", "｜東京《とうきょう》", "東京", 1, 1, 0, 50, 2, 25,
     0, 0},
    {"long ruby overhangs kana on both sides", "あ東京《とうきょう》い", "あ東京い", 1, 1, 15, 65,
     10, 60, 0, 0},
    {"overhang goes to the side that allows it", "あ漢《かんじ》", "あ漢", 1, 1, 10, 40, 1, 20, 0,
     0},
    {"no overhang onto the paragraph's start", "漢《かんじ》と", "漢と", 1, 0, 0, 30, 6, 20, 0, 0},
    {"mono-ruby when it divides evenly", "御伽噺《おとぎばなし》", "御伽噺", 3, 0, 0, 20, 2, 40, 0,
     0},
    {"emphasis dots", "《《強調》》する", "強調する", 0, 0, 0, 0, 6, 40, 2, 0},
    {"two digits upright in one em", "第12話", "第12話", 0, 0, 0, 0, 3, 40, 0, 1},
    {"three digits lie on their side", "第123話", "第123話", 0, 0, 0, 0, 0, 0, 0, 0},
    {"!? upright", "本当!?", "本当!?", 0, 0, 0, 0, 2, 40, 0, 1},
    {"upright digits in a spread base", "｜12月《いちにがつ》", "12月", 1, 1, 0, 50, 3, 25, 0, 1},
    {"escaped bracket", "｜《括弧》", "《括弧》", 0, 0, 0, 0, 2, 20, 0, 0},
};

TEST_F(VerticalLayoutTest, NotationIsTypesetOutsideTheTypedParagraph) {
    for (const TypesetCase& row : kTypesetCases) {
        SCOPED_TRACE(row.rule);
        Lay(row.typed + "\n", 20);
        const gui::ShapedParagraph& shaped = layout->ShapedBlock(0);
        EXPECT_EQ(shaped.text, row.shown);
        ASSERT_EQ(shaped.rubies.size(), row.rubies);
        if (row.rubies > 0) {
            const gui::VerticalRuby& ruby = shaped.rubies[0];
            const qreal base_top = layout->UnitRect(row.base_at).top();
            EXPECT_NEAR(base_top + ruby.top, row.ruby_top, 0.5);
            EXPECT_NEAR(base_top + ruby.top + ruby.length, row.ruby_bottom, 0.5);
        }
        EXPECT_NEAR(layout->UnitRect(row.probe).top(), row.probe_top, 0.5);
        int dotted = 0;
        int combined = 0;
        for (const gui::VerticalUnit& unit : shaped.units) {
            dotted += unit.emphasis;
            combined += unit.combined;
        }
        EXPECT_EQ(dotted, row.dotted);
        EXPECT_EQ(combined, row.combined);
        // A click on each character shown puts the caret before that character as typed.
        qreal y = 0;
        const qreal x = layout->UnitRect(0).center().x();
        for (const gui::VerticalUnit& unit : shaped.units) {
            const int at = layout->PositionAt(QPointF(x, y + unit.advance / 4));
            EXPECT_EQ(row.typed.mid(at, unit.length), row.shown.mid(unit.position, unit.length))
                << unit.position;
            EXPECT_NEAR(layout->UnitRect(at).top(), y, 0.01) << unit.position;
            y += unit.advance;
        }
        // The caret's paragraph shows the notation as typed.
        layout->SetTypedBlock(0);
        EXPECT_EQ(layout->ShapedBlock(0).text, row.typed);
        EXPECT_TRUE(layout->ShapedBlock(0).rubies.isEmpty());
        layout->SetTypedBlock(-1);
    }
}

// A ruby whose overhang would reach the kana at the foot of the previous column is drawn in
// from the top of its own column instead, never above it.
TEST_F(VerticalLayoutTest, RubyAtTheTopOfAColumnStaysInsideIt) {
    Lay("あ漢《かんじ》\n", 1);  // あ fills the first column, 漢 opens the second
    ASSERT_EQ(Column(1), 1);
    ASSERT_LT(layout->ShapedBlock(0).rubies[0].top, 0);  // overhanging あ in the layout
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.translate(150, 50);
        layout->Draw(painter, 0, 1, 0, 0, {});
    }
    const QRectF base = layout->UnitRect(1).translated(150, 50);
    int above = 0;
    int beside = 0;
    for (int x = qRound(base.right()); x < qRound(base.right() + 10); ++x) {
        for (int y = 0; y < 200; ++y) {
            const bool ink = qGray(image.pixel(x, y)) < 160;
            above += ink && y < 50;
            beside += ink && y >= 50;
        }
    }
    EXPECT_EQ(above, 0);
    EXPECT_GT(beside, 10);
}

}  // namespace
}  // namespace folix
