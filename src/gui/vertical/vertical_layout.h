#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QMetaObject>
#include <QPointF>
#include <QRawFont>
#include <QRectF>
#include <QString>
#include <QVector>

#include <memory>

class QPainter;
class QTextDocument;

namespace folix::gui {

class VerticalShaper;

// One paragraph shaped for vertical writing: the characters grouped into units that are never
// split (a cluster, or a whole sideways Latin word's letter), each with its advance down the
// column and the glyphs that draw it.
struct VerticalUnit {
    int position = 0;  // in the paragraph
    int length = 0;
    qreal advance = 0;
    bool sideways = false;
    bool no_start = false;  // must not open a column (。、」ー, small kana…)
    bool no_end = false;    // must not close a column (「（…)
    bool word = false;      // a letter or digit of a sideways word, kept with its neighbours
    bool keep_with_previous = false;  // inside a group ruby's base: never opens a column
    bool emphasis = false;            // a sesame dot beside it
    // Digits set upright side by side in one em; their glyphs run across from the left, as wide
    // as combined_width before they are narrowed into the em.
    bool combined = false;
    qreal combined_width = 0;
    int face = 0;  // the layout's face that draws it: 0 is the book's, others stand in
    int first_glyph = 0;
    int glyph_count = 0;
};

struct VerticalGlyph {
    quint32 index = 0;
    // From the unit's pen position: upright glyphs across (x) and down (y) from the column's
    // centre line; sideways glyphs along the run (x) and from its baseline (y), before turning.
    QPointF offset;
};

// A ruby beside the units of its base, in the layout's half-size ruby face. Its glyphs' offsets
// are across from the ruby's own centre line and down from its base's first unit.
struct VerticalRuby {
    int first_unit = 0;
    int unit_count = 0;
    int first_glyph = 0;
    int glyph_count = 0;
    qreal top = 0;  // of the ruby's first character, from the base's top; negative overhangs
    qreal length = 0;
};

struct ShapedParagraph {
    QString text;
    QVector<VerticalUnit> units;
    QVector<VerticalGlyph> glyphs;
    QVector<VerticalRuby> rubies;  // in the order of their bases
    QVector<VerticalGlyph> ruby_glyphs;
};

struct ReadLine;

// Where a paragraph's units landed: the column each one starts and its distance from the top.
struct BrokenParagraph {
    QVector<int> column_starts;  // unit index opening each column; one entry at least
    QVector<qreal> unit_y;
};

// Lays a QTextDocument's text out in vertical columns: top to bottom, right to left, each
// paragraph opening a new column. Every paragraph but the one being typed in is typeset: the
// web-novel notation read (ruby beside its base, emphasis dots, short digit runs upright), so the
// writer sees the page as published and edits the notation as typed. Layout coordinates put the
// right edge of the first column at x = 0 and the top of every column at y = 0, so columns sit at
// negative x and adding text at the end never moves what is already there.
class VerticalLayout {
public:
    explicit VerticalLayout(QTextDocument* document);
    ~VerticalLayout();
    VerticalLayout(const VerticalLayout&) = delete;
    VerticalLayout& operator=(const VerticalLayout&) = delete;

    void SetFont(const QFont& font);
    void SetColumnHeight(qreal height);
    QFont Font() const { return font_; }
    // The book's face; characters it lacks are drawn in the face Qt would fall back to.
    const QRawFont& RawFont() const;
    const QRawFont& FaceFont(int face) const;
    qreal ColumnHeight() const { return height_; }
    // Distance from one column's right edge to the next one's.
    qreal ColumnPitch() const;
    // The em box's width, the part of the pitch that the glyphs occupy.
    qreal ColumnWidth() const;
    // Ruby and emphasis dots are set at half the em.
    qreal RubySize() const { return ColumnWidth() / 2; }

    // The paragraph shown as typed (the caret's); -1 typesets them all, as print does.
    void SetTypedBlock(int block_number);
    int TypedBlock() const { return typed_block_; }
    // The longest run of half-width digits set upright in one em (2, 3 or 4).
    void SetUprightDigits(int digits);

    // Brings the layout up to date with the document; only changed paragraphs are shaped again.
    // A long document is shaped from the start only as far as it has been asked about: the
    // columns after that are estimated until they are needed.
    void Update();
    // The columns counted so far and the estimate for the rest; exact when the whole document
    // has been counted.
    int ColumnCount();
    // Counts the whole document first (for printing).
    int ExactColumnCount();
    // Documents of up to this many characters are always counted whole.
    void SetWholeLayoutLimit(int characters) {
        whole_layout_limit_ = characters;
        stale_ = true;
    }
    int CountedParagraphs() const { return counted_blocks_; }
    // Right edge of a column in layout coordinates (0 for the first, negative after).
    qreal ColumnRight(int column) const { return -column * ColumnPitch(); }
    int ColumnAtX(qreal x);

    // The caret before this document position: a bar across its column.
    QRectF CaretRect(int position);
    int ColumnOfPosition(int position);
    int PositionAt(const QPointF& point);
    int PositionInColumn(int column, qreal y);
    int ColumnStartPosition(int column);
    int ColumnEndPosition(int column);

    struct Colors {
        QColor text = Qt::black;
        QColor highlight = QColor(51, 153, 255);
        QColor highlighted_text = Qt::white;
    };
    // Draws the columns first..last (inclusive), the selection [selection_start, selection_end)
    // highlighted, in layout coordinates on the painter's current transformation.
    void Draw(QPainter& painter, int first, int last, int selection_start, int selection_end,
              const Colors& colors);

    // The input method's text being composed, shown at a document position inside its
    // paragraph, which reflows around it; the caret at that position stands at cursor within it.
    // An empty text ends the composition. The document itself is not touched.
    void SetPreedit(int position, const QString& text, int cursor);

    // Whether any paragraph shaped so far carries ruby.
    bool HasRuby() const;
    // Glyphs of the shaped text, for the checks of where vertical forms went.
    const ShapedParagraph& ShapedBlock(int block_number);
    // Unit rectangles in layout coordinates, for the checks of where the text went.
    QRectF UnitRect(int position);

    // The shaping of one string as the layout does it; public so the breaking can be tested on
    // text that is not in a document.
    ShapedParagraph Shape(const QString& text) const;
    // A paragraph as the notation reads it: its text shaped with the upright digits combined,
    // its ruby placed and its emphasis marked.
    ShapedParagraph Typeset(const ReadLine& read) const;
    static BrokenParagraph Break(const ShapedParagraph& shaped, qreal height);

private:
    struct Paragraph;
    struct ColumnRef {
        int block = 0;
        int column_in_block = 0;
    };
    Paragraph& ParagraphOf(int block_number);
    ColumnRef Column(int column);
    void RelayoutAll();
    void Recount();
    void EstimateRest();
    // Counts paragraphs from where counting stopped until the block is counted and the column
    // exists (or the document ends).
    void CountThrough(int block, int column);
    int FaceFor(char32_t c) const;
    ShapedParagraph ShapeRuns(const QString& text,
                              const QVector<std::pair<int, int>>& combined) const;
    void AddRuby(ShapedParagraph& shaped, int first, int last, const QString& ruby,
                 const QVector<bool>& ruby_base) const;
    void DrawNotation(QPainter& painter, const ShapedParagraph& shaped,
                      const BrokenParagraph& broken, int begin, int end, qreal centre,
                      const QColor& ink) const;
    // The paragraph offset of a document position, past the text being composed.
    int LayoutOffset(const Paragraph& p, int offset) const;

    QTextDocument* document_;
    QFont font_;
    QFont sized_font_;  // in pixels, as the faces are
    qreal height_ = 400;
    // Shaping happens in const code, but the stand-in faces are found on the way and kept.
    mutable std::vector<std::unique_ptr<VerticalShaper>> faces_;
    mutable QHash<char32_t, int> stand_in_;
    std::unique_ptr<VerticalShaper> ruby_face_;
    quint32 dot_glyph_ = 0;
    QPointF dot_offset_;  // puts the dot's ink centre on the point it is drawn at
    int typed_block_ = -1;
    int upright_digits_ = 2;
    std::vector<std::unique_ptr<Paragraph>> paragraphs_;
    // per counted block, then the columns of all counted blocks
    QVector<int> first_column_{0};
    int counted_blocks_ = 0;
    int estimated_columns_ = 0;
    int whole_layout_limit_ = 200000;
    int preedit_block_ = -1;  // the paragraph showing the composition, if any
    int preedit_at_ = 0;
    int preedit_cursor_ = 0;
    QString preedit_;
    bool dirty_ = true;  // font or height changed: everything is laid out again
    bool stale_ = true;  // the text changed: the column numbers are recounted
    int seen_revision_ = -1;
    QMetaObject::Connection connection_;
};

}  // namespace folix::gui
