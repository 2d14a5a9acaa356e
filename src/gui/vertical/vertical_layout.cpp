#include "gui/vertical/vertical_layout.h"

#include <QFontDatabase>
#include <QGlyphRun>
#include <QMap>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <limits>

#include "gui/platform/notation_line.h"
#include "gui/vertical/vertical_shaper.h"
#include "typeset/line_break_rules.h"

namespace folix::gui {
namespace {

// Space between columns, as a share of the em: room for half-size ruby on the right of a column
// with a tenth of an em to spare before the next.
constexpr qreal kColumnPitchEms = 1.6;
constexpr char32_t kSesameDot = 0xFE45;

char32_t CodePointAt(const QString& text, int index) {
    const QChar high = text.at(index);
    if (high.isHighSurrogate() && index + 1 < text.size() && text.at(index + 1).isLowSurrogate()) {
        return QChar::surrogateToUcs4(high, text.at(index + 1));
    }
    return high.unicode();
}

}  // namespace

struct VerticalLayout::Paragraph {
    int revision = -1;  // of the block when it was shaped
    int typed_length = 0;
    // Typeset: the typed offset of each character shown (see ReadLine); empty when shown as typed.
    QVector<int> typed_offset;
    QString typed_text;    // when mapped: what was typed, to find the paragraph again after a move
    bool typeset = false;  // shown as read (digits upright too), not as typed
    // The composition shown inside the paragraph: its offset and length in the shaped text.
    int preedit_at = 0;
    int preedit_length = 0;
    ShapedParagraph shaped;
    BrokenParagraph broken;
    qreal broken_height = -1;

    int TextLength() const { return typed_length; }
    bool Mapped() const { return !typed_offset.isEmpty(); }
    const QString& TypedText() const { return Mapped() ? typed_text : shaped.text; }
    bool InPreedit(int layout_offset) const {
        return layout_offset >= preedit_at && layout_offset < preedit_at + preedit_length;
    }
    // The document offset shown at a layout offset; the composition counts as its own position.
    int DocumentOffset(int layout_offset) const {
        if (Mapped()) {
            return typed_offset[qBound(0, layout_offset, static_cast<int>(shaped.text.size()))];
        }
        if (layout_offset < preedit_at) {
            return layout_offset;
        }
        return layout_offset < preedit_at + preedit_length ? preedit_at
                                                           : layout_offset - preedit_length;
    }
};

VerticalLayout::VerticalLayout(QTextDocument* document) : document_(document) {
    SetFont(document->defaultFont());
    // Only the paragraphs an edit touched are shaped again; a change in the number of
    // paragraphs sends everything through RelayoutAll, which finds moved paragraphs by text.
    connection_ = QObject::connect(
        document, &QTextDocument::contentsChange, [this](int position, int, int added) {
            stale_ = true;
            if (paragraphs_.size() != static_cast<size_t>(document_->blockCount())) {
                return;
            }
            const int first = document_->findBlock(position).blockNumber();
            QTextBlock last = document_->findBlock(position + added);
            const int last_number =
                last.isValid() ? last.blockNumber() : document_->blockCount() - 1;
            for (int b = qMax(0, first); b <= last_number; ++b) {
                paragraphs_[static_cast<size_t>(b)].reset();
            }
        });
}

VerticalLayout::~VerticalLayout() {
    QObject::disconnect(connection_);
}

void VerticalLayout::SetFont(const QFont& font) {
    font_ = font;
    QFont sized = font;
    if (sized.pixelSize() <= 0) {
        // The layout works in pixels; a point size is taken at the screen's 96 dots an inch
        // unless the caller sized the face for its own device.
        sized.setPixelSize(qMax(1, qRound(font.pointSizeF() * 96.0 / 72.0)));
    }
    sized_font_ = sized;
    faces_.clear();
    stand_in_.clear();
    faces_.push_back(
        std::make_unique<VerticalShaper>(QRawFont::fromFont(sized, QFontDatabase::Japanese)));
    QFont half = sized;
    half.setPixelSize(qMax(1, sized.pixelSize() / 2));
    ruby_face_ =
        std::make_unique<VerticalShaper>(QRawFont::fromFont(half, QFontDatabase::Japanese));
    const QRawFont& ruby = ruby_face_->Font();
    const QVector<quint32> dot = ruby.glyphIndexesForString(QString::fromUcs4(&kSesameDot, 1));
    dot_glyph_ = dot.value(0);
    dot_offset_ = -ruby.boundingRect(dot_glyph_).center();
    paragraphs_.clear();
    dirty_ = true;
}

void VerticalLayout::SetTypedBlock(int block_number) {
    if (block_number == typed_block_) {
        return;
    }
    for (const int b : {typed_block_, block_number}) {
        if (b >= 0 && static_cast<size_t>(b) < paragraphs_.size()) {
            paragraphs_[static_cast<size_t>(b)].reset();
        }
    }
    typed_block_ = block_number;
    stale_ = true;
}

void VerticalLayout::SetUprightDigits(int digits) {
    digits = qBound(2, digits, 4);
    if (digits != upright_digits_) {
        upright_digits_ = digits;
        paragraphs_.clear();
        dirty_ = true;
    }
}

void VerticalLayout::SetColumnHeight(qreal height) {
    height = qMax(height, ColumnWidth());
    if (!qFuzzyCompare(height, height_)) {
        height_ = height;
        stale_ = true;  // broken again, not shaped again
    }
}

const QRawFont& VerticalLayout::RawFont() const {
    return faces_.front()->Font();
}

const QRawFont& VerticalLayout::FaceFont(int face) const {
    return faces_[static_cast<size_t>(face)]->Font();
}

// A character the book's face lacks is drawn in the face Qt's own text layout falls back to,
// asked once per character; one the desktop has no face for stays in the book's face.
int VerticalLayout::FaceFor(char32_t c) const {
    if (RawFont().supportsCharacter(c)) {
        return 0;
    }
    if (const auto found = stand_in_.constFind(c); found != stand_in_.constEnd()) {
        return *found;
    }
    int face = 0;
    QTextLayout probe(QString::fromUcs4(&c, 1), sized_font_);
    probe.beginLayout();
    probe.createLine();
    probe.endLayout();
    for (const QGlyphRun& run : probe.glyphRuns()) {
        const QRawFont raw = run.rawFont();
        if (!raw.isValid() || !raw.supportsCharacter(c)) {
            continue;
        }
        for (size_t f = 0; f < faces_.size() && face == 0; ++f) {
            const QRawFont& known = faces_[f]->Font();
            if (known.familyName() == raw.familyName() && known.styleName() == raw.styleName() &&
                known.pixelSize() == raw.pixelSize()) {
                face = static_cast<int>(f);
            }
        }
        if (face == 0) {
            faces_.push_back(std::make_unique<VerticalShaper>(raw));
            face = static_cast<int>(faces_.size()) - 1;
        }
        break;
    }
    stand_in_.insert(c, face);
    return face;
}
qreal VerticalLayout::ColumnWidth() const {
    return qMax<qreal>(1, RawFont().pixelSize());
}
qreal VerticalLayout::ColumnPitch() const {
    return ColumnWidth() * kColumnPitchEms;
}

ShapedParagraph VerticalLayout::Shape(const QString& text) const {
    return ShapeRuns(text, {});
}

// The runs in `combined` (sorted [begin, end) pairs) become one upright unit each, their glyphs
// shaped across as a horizontal line.
ShapedParagraph VerticalLayout::ShapeRuns(const QString& text,
                                          const QVector<std::pair<int, int>>& combined) const {
    ShapedParagraph shaped;
    shaped.text = text;
    int run_start = 0;
    int next_combined = 0;
    while (run_start < text.size()) {
        if (next_combined < combined.size() && combined[next_combined].first == run_start) {
            const auto [begin, end] = combined[next_combined++];
            const int face = FaceFor(CodePointAt(text, begin));
            VerticalUnit unit;
            unit.position = begin;
            unit.length = end - begin;
            unit.advance = ColumnWidth();
            unit.combined = true;
            unit.face = face;
            unit.no_start = IsNoStart(CodePointAt(text, begin));
            unit.first_glyph = static_cast<int>(shaped.glyphs.size());
            for (const VerticalShaper::Glyph& g :
                 faces_[static_cast<size_t>(face)]->Shape(text, begin, end - begin, false)) {
                shaped.glyphs.push_back(
                    {g.index, QPointF(unit.combined_width + g.x_offset, g.y_offset)});
                unit.combined_width += g.advance;
                ++unit.glyph_count;
            }
            shaped.units.push_back(unit);
            run_start = end;
            continue;
        }
        const int limit = next_combined < combined.size() ? combined[next_combined].first
                                                          : static_cast<int>(text.size());
        // A run keeps one direction and one face.
        const bool upright = StandsUprightInVertical(CodePointAt(text, run_start));
        const int face = FaceFor(CodePointAt(text, run_start));
        int run_end = run_start;
        while (run_end < limit && StandsUprightInVertical(CodePointAt(text, run_end)) == upright &&
               FaceFor(CodePointAt(text, run_end)) == face) {
            run_end += CodePointAt(text, run_end) > 0xFFFF ? 2 : 1;
        }
        const QVector<VerticalShaper::Glyph> glyphs =
            faces_[static_cast<size_t>(face)]->Shape(text, run_start, run_end - run_start, upright);
        for (qsizetype g = 0; g < glyphs.size();) {
            // One unit per cluster: the glyphs HarfBuzz gave the same first character.
            qsizetype next = g;
            while (next < glyphs.size() && glyphs[next].cluster == glyphs[g].cluster) {
                ++next;
            }
            const int cluster_end = next < glyphs.size() ? glyphs[next].cluster : run_end;
            VerticalUnit unit;
            unit.position = glyphs[g].cluster;
            unit.length = qMax(1, cluster_end - unit.position);
            unit.sideways = !upright;
            unit.face = face;
            const char32_t c = CodePointAt(text, unit.position);
            unit.no_start = IsNoStart(c);
            unit.no_end = IsNoEnd(c);
            unit.word = !upright && QChar::isLetterOrNumber(c);
            unit.first_glyph = static_cast<int>(shaped.glyphs.size());
            unit.glyph_count = static_cast<int>(next - g);
            for (qsizetype i = g; i < next; ++i) {
                VerticalGlyph glyph;
                glyph.index = glyphs[i].index;
                glyph.offset = upright
                                   ? QPointF(glyphs[i].x_offset, unit.advance + glyphs[i].y_offset)
                                   : QPointF(unit.advance + glyphs[i].x_offset, glyphs[i].y_offset);
                unit.advance += glyphs[i].advance;
                shaped.glyphs.push_back(glyph);
            }
            shaped.units.push_back(unit);
            g = next;
        }
        run_start = run_end;
    }
    return shaped;
}

BrokenParagraph VerticalLayout::Break(const ShapedParagraph& shaped, qreal height) {
    BrokenParagraph broken;
    broken.column_starts.push_back(0);
    const QVector<VerticalUnit>& units = shaped.units;
    broken.unit_y.resize(units.size());
    // A break before unit k is poor when k must not open a column, when k - 1 must not close
    // one, or when it would cut a sideways word.
    const auto poor = [&units](int k) {
        return units[k].no_start || units[k - 1].no_end || units[k].keep_with_previous ||
               (units[k].word && units[k - 1].word);
    };
    qreal y = 0;
    int column_start = 0;
    for (int i = 0; i < units.size(); ++i) {
        const qreal advance = units[i].advance;
        if (y + advance > height + 0.01 && i > column_start) {
            int cut = i;
            while (cut > column_start + 1 && poor(cut)) {
                --cut;
            }
            if (poor(cut)) {
                cut = i;  // nothing better in this column: break where it is full
            }
            column_start = cut;
            broken.column_starts.push_back(cut);
            y = 0;
            for (int j = cut; j < i; ++j) {
                broken.unit_y[j] = y;
                y += units[j].advance;
            }
        }
        broken.unit_y[i] = y;
        y += advance;
    }
    return broken;
}

VerticalLayout::Paragraph& VerticalLayout::ParagraphOf(int block_number) {
    auto& slot = paragraphs_[static_cast<size_t>(block_number)];
    if (!slot) {
        const QTextBlock block = document_->findBlockByNumber(block_number);
        slot = std::make_unique<Paragraph>();
        slot->revision = block.revision();
        QString text = block.text();
        slot->typed_length = static_cast<int>(text.size());
        if (block_number == preedit_block_) {
            slot->preedit_at = qBound(0, preedit_at_, static_cast<int>(text.size()));
            slot->preedit_length = static_cast<int>(preedit_.size());
            text.insert(slot->preedit_at, preedit_);
        }
        slot->typeset = block_number != typed_block_ && block_number != preedit_block_;
        if (slot->typeset) {
            const ReadLine read = ReadNotationLine(text);
            slot->typed_offset = read.typed_offset;
            if (slot->Mapped()) {
                slot->typed_text = text;
            }
            slot->shaped = Typeset(read);
        } else {
            slot->shaped = Shape(text);
        }
    }
    if (slot->broken_height != height_) {
        slot->broken = Break(slot->shaped, height_);
        slot->broken_height = height_;
    }
    return *slot;
}

void VerticalLayout::SetPreedit(int position, const QString& text, int cursor) {
    const int old_block = preedit_block_;
    const QTextBlock block = document_->findBlock(position);
    preedit_ = text;
    preedit_cursor_ = qBound(0, cursor, static_cast<int>(text.size()));
    preedit_block_ = text.isEmpty() || !block.isValid() ? -1 : block.blockNumber();
    preedit_at_ = block.isValid() ? position - block.position() : 0;
    for (const int b : {old_block, preedit_block_}) {
        if (b >= 0 && static_cast<size_t>(b) < paragraphs_.size()) {
            paragraphs_[static_cast<size_t>(b)].reset();
        }
    }
    stale_ = true;
}

int VerticalLayout::LayoutOffset(const Paragraph& p, int offset) const {
    if (p.Mapped()) {
        return ShownOffsetOf(p.typed_offset, offset);
    }
    return p.preedit_length > 0 && offset >= p.preedit_at ? offset + p.preedit_length : offset;
}

void VerticalLayout::Update() {
    const int blocks = document_->blockCount();
    if (dirty_ || paragraphs_.size() != static_cast<size_t>(blocks)) {
        RelayoutAll();
        return;
    }
    // A document without a layout of its own (a printout's copy) sends no change signal: the
    // blocks' revisions and lengths tell what changed instead. Undo gives a block its old
    // revision back, which differs from the one shaped after the edit all the same. Past the
    // counted paragraphs nothing is kept to check.
    if (document_->revision() != seen_revision_) {
        seen_revision_ = document_->revision();
        stale_ = true;
        int b = 0;
        for (QTextBlock block = document_->begin(); block.isValid() && b < counted_blocks_;
             block = block.next(), ++b) {
            auto& slot = paragraphs_[static_cast<size_t>(b)];
            if (slot &&
                (slot->revision != block.revision() || slot->TextLength() != block.length() - 1)) {
                slot.reset();
            }
        }
        for (size_t i = static_cast<size_t>(counted_blocks_); i < paragraphs_.size(); ++i) {
            paragraphs_[i].reset();
        }
    }
    if (stale_) {
        stale_ = false;
        Recount();
    }
}

// Counts the columns of the paragraphs counted so far (all of them in a document that is not
// long) and estimates the rest.
void VerticalLayout::Recount() {
    const int blocks = document_->blockCount();
    first_column_.resize(blocks + 1);
    if (document_->characterCount() <= whole_layout_limit_) {
        counted_blocks_ = blocks;
    }
    counted_blocks_ = qMin(counted_blocks_, blocks);
    int column = 0;
    for (int b = 0; b < counted_blocks_; ++b) {
        first_column_[b] = column;
        column += static_cast<int>(ParagraphOf(b).broken.column_starts.size());
    }
    first_column_[counted_blocks_] = column;
    EstimateRest();
}

// A paragraph not yet shaped is reckoned as upright squares filling its columns, half a column
// left over on average.
void VerticalLayout::EstimateRest() {
    const int blocks = document_->blockCount();
    if (counted_blocks_ >= blocks) {
        estimated_columns_ = 0;
        return;
    }
    const QTextBlock first = document_->findBlockByNumber(counted_blocks_);
    const qreal characters = document_->characterCount() - first.position();
    const qreal per_column = qMax<qreal>(1, std::floor(height_ / ColumnWidth()));
    const int rest = blocks - counted_blocks_;
    estimated_columns_ = qMax(rest, qRound(characters / per_column + rest * 0.5));
}

void VerticalLayout::CountThrough(int block, int column) {
    Update();
    const int blocks = document_->blockCount();
    if (counted_blocks_ >= blocks ||
        (block < counted_blocks_ && column < first_column_[counted_blocks_])) {
        return;
    }
    int counted = first_column_[counted_blocks_];
    while (counted_blocks_ < blocks && (counted_blocks_ <= block || counted <= column)) {
        first_column_[counted_blocks_] = counted;
        counted += static_cast<int>(ParagraphOf(counted_blocks_).broken.column_starts.size());
        ++counted_blocks_;
    }
    first_column_[counted_blocks_] = counted;
    EstimateRest();
}

void VerticalLayout::RelayoutAll() {
    const int blocks = document_->blockCount();
    // Paragraphs keep their shaping across a move in the block list; a change in the font or
    // the height drops it all.
    std::vector<std::unique_ptr<Paragraph>> old = std::move(paragraphs_);
    paragraphs_.clear();
    paragraphs_.resize(static_cast<size_t>(blocks));
    if (!dirty_) {
        QHash<QString, std::unique_ptr<Paragraph>*> by_text;
        for (auto& p : old) {
            if (p) {
                by_text.insert(p->TypedText(), &p);
            }
        }
        QTextBlock block = document_->begin();
        for (int b = 0; b < blocks && block.isValid(); ++b, block = block.next()) {
            // A paragraph moving into or out of the caret's place is shown the other way now.
            auto found = by_text.take(block.text());
            if (found && (*found)->typeset == (b != typed_block_ && b != preedit_block_)) {
                paragraphs_[static_cast<size_t>(b)] = std::move(*found);
            }
        }
    }
    dirty_ = false;
    stale_ = false;
    seen_revision_ = document_->revision();
    Recount();
}

int VerticalLayout::ColumnCount() {
    Update();
    return first_column_[counted_blocks_] + estimated_columns_;
}

int VerticalLayout::ExactColumnCount() {
    CountThrough(document_->blockCount() - 1, 0);
    return ColumnCount();
}

VerticalLayout::ColumnRef VerticalLayout::Column(int column) {
    CountThrough(0, column);
    const auto it =
        std::upper_bound(first_column_.begin(), first_column_.begin() + counted_blocks_, column);
    ColumnRef ref;
    ref.block = qMax(0, static_cast<int>(it - first_column_.begin()) - 1);
    ref.column_in_block = column - first_column_[ref.block];
    return ref;
}

int VerticalLayout::ColumnAtX(qreal x) {
    const int columns = ColumnCount();
    // A column reaches over its ruby, which stands out a little past its right edge.
    const qreal ruby_reach = RubySize() - (ColumnPitch() - ColumnWidth()) / 2;
    const int column = static_cast<int>(std::floor((ruby_reach - x) / ColumnPitch()));
    return std::clamp(column, 0, qMax(0, columns - 1));
}

bool VerticalLayout::HasRuby() const {
    return std::any_of(paragraphs_.begin(), paragraphs_.end(),
                       [](const auto& p) { return p && !p->shaped.rubies.isEmpty(); });
}

const ShapedParagraph& VerticalLayout::ShapedBlock(int block_number) {
    Update();
    return ParagraphOf(block_number).shaped;
}

namespace {

// The unit holding a paragraph position, or the unit count for the paragraph's end.
int UnitAt(const ShapedParagraph& shaped, int position) {
    const auto it =
        std::upper_bound(shaped.units.begin(), shaped.units.end(), position,
                         [](int p, const VerticalUnit& unit) { return p < unit.position; });
    if (it == shaped.units.begin()) {
        return 0;
    }
    const int index = static_cast<int>(it - shaped.units.begin()) - 1;
    const VerticalUnit& unit = shaped.units[index];
    return position < unit.position + unit.length ? index : index + 1;
}

int ColumnOfUnit(const BrokenParagraph& broken, int unit) {
    const auto it =
        std::upper_bound(broken.column_starts.begin(), broken.column_starts.end(), unit);
    return qMax(0, static_cast<int>(it - broken.column_starts.begin()) - 1);
}

}  // namespace

int VerticalLayout::ColumnOfPosition(int position) {
    Update();
    const QTextBlock block = document_->findBlock(position);
    if (!block.isValid()) {
        return qMax(0, ColumnCount() - 1);
    }
    CountThrough(block.blockNumber(), 0);
    const Paragraph& p = ParagraphOf(block.blockNumber());
    const int unit = UnitAt(p.shaped, LayoutOffset(p, position - block.position()));
    const int last = static_cast<int>(p.shaped.units.size()) - 1;
    return first_column_[block.blockNumber()] + ColumnOfUnit(p.broken, qMin(unit, qMax(0, last)));
}

QRectF VerticalLayout::CaretRect(int position) {
    Update();
    QTextBlock block = document_->findBlock(position);
    if (!block.isValid()) {
        block = document_->lastBlock();
        position = block.position() + block.length() - 1;
    }
    CountThrough(block.blockNumber(), 0);
    const Paragraph& p = ParagraphOf(block.blockNumber());
    int offset = position - block.position();
    // While composing, the caret at the composition stands inside it.
    offset = p.preedit_length > 0 && offset == p.preedit_at ? offset + preedit_cursor_
                                                            : LayoutOffset(p, offset);
    const int unit = UnitAt(p.shaped, offset);
    int column = 0;
    qreal y = 0;
    if (unit < p.shaped.units.size()) {
        column = ColumnOfUnit(p.broken, unit);
        y = p.broken.unit_y[unit];
    } else if (!p.shaped.units.isEmpty()) {
        const int last = static_cast<int>(p.shaped.units.size()) - 1;
        column = ColumnOfUnit(p.broken, last);
        y = p.broken.unit_y[last] + p.shaped.units[last].advance;
    }
    const qreal right = ColumnRight(first_column_[block.blockNumber()] + column);
    const qreal gap = (ColumnPitch() - ColumnWidth()) / 2;
    return QRectF(right - gap - ColumnWidth(), y - 1, ColumnWidth(), 2);
}

QRectF VerticalLayout::UnitRect(int position) {
    Update();
    const QTextBlock block = document_->findBlock(position);
    CountThrough(block.blockNumber(), 0);
    const Paragraph& p = ParagraphOf(block.blockNumber());
    const int unit = UnitAt(p.shaped, LayoutOffset(p, position - block.position()));
    if (unit >= p.shaped.units.size()) {
        return {};
    }
    const qreal right =
        ColumnRight(first_column_[block.blockNumber()] + ColumnOfUnit(p.broken, unit));
    const qreal gap = (ColumnPitch() - ColumnWidth()) / 2;
    return QRectF(right - gap - ColumnWidth(), p.broken.unit_y[unit], ColumnWidth(),
                  p.shaped.units[unit].advance);
}

int VerticalLayout::PositionInColumn(int column, qreal y) {
    CountThrough(0, column);
    column = std::clamp(column, 0, qMax(0, ColumnCount() - 1));
    const ColumnRef ref = Column(column);
    const QTextBlock block = document_->findBlockByNumber(ref.block);
    const Paragraph& p = ParagraphOf(ref.block);
    const int first = p.broken.column_starts[ref.column_in_block];
    const bool last_column = ref.column_in_block + 1 == p.broken.column_starts.size();
    const int end = last_column ? static_cast<int>(p.shaped.units.size())
                                : p.broken.column_starts[ref.column_in_block + 1];
    for (int u = first; u < end; ++u) {
        if (y < p.broken.unit_y[u] + p.shaped.units[u].advance / 2) {
            return block.position() + p.DocumentOffset(p.shaped.units[u].position);
        }
    }
    if (last_column) {
        return block.position() + p.TextLength();
    }
    // Past the end of a full column: before its last unit, so the caret stays in this column.
    return block.position() + p.DocumentOffset(p.shaped.units[end - 1].position);
}

int VerticalLayout::PositionAt(const QPointF& point) {
    return PositionInColumn(ColumnAtX(point.x()), point.y());
}

int VerticalLayout::ColumnStartPosition(int column) {
    return PositionInColumn(column, -1);
}

int VerticalLayout::ColumnEndPosition(int column) {
    return PositionInColumn(column, std::numeric_limits<qreal>::max());
}

namespace {

// Upright digits side by side, centred in their em and narrowed to fit it.
void DrawCombined(QPainter& painter, const QRawFont& raw, const ShapedParagraph& shaped,
                  const VerticalUnit& unit, qreal centre, qreal top, qreal width) {
    QVector<quint32> indexes;
    QVector<QPointF> positions;
    for (int g = unit.first_glyph; g < unit.first_glyph + unit.glyph_count; ++g) {
        indexes.push_back(shaped.glyphs[g].index);
        positions.push_back(shaped.glyphs[g].offset);
    }
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    const qreal scale = unit.combined_width > width ? width / unit.combined_width : 1;
    painter.save();
    painter.translate(centre - unit.combined_width * scale / 2,
                      top + unit.advance / 2 + (raw.ascent() - raw.descent()) / 2);
    painter.scale(scale, 1);
    painter.drawGlyphRun(QPointF(), run);
    painter.restore();
}

void DrawUnit(QPainter& painter, const QRawFont& raw, const ShapedParagraph& shaped,
              const VerticalUnit& unit, const QPointF& pen) {
    QVector<quint32> indexes;
    QVector<QPointF> positions;
    // Sideways runs are centred on the column line: half the em box on each side of it.
    const qreal baseline = (raw.ascent() - raw.descent()) / 2;
    for (int g = unit.first_glyph; g < unit.first_glyph + unit.glyph_count; ++g) {
        indexes.push_back(shaped.glyphs[g].index);
        positions.push_back(unit.sideways ? shaped.glyphs[g].offset + QPointF(0, baseline)
                                          : shaped.glyphs[g].offset + pen);
    }
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    if (unit.sideways) {
        painter.save();
        painter.translate(pen);
        painter.rotate(90);
        painter.drawGlyphRun(QPointF(), run);
        painter.restore();
    } else {
        painter.drawGlyphRun(QPointF(), run);
    }
}

}  // namespace

void VerticalLayout::Draw(QPainter& painter, int first, int last, int selection_start,
                          int selection_end, const Colors& colors) {
    CountThrough(0, last);
    last = qMin(last, ColumnCount() - 1);
    const qreal width = ColumnWidth();
    const qreal gap = (ColumnPitch() - width) / 2;
    // Upright glyphs go out in one run per face and per highlighting.
    struct Batch {
        QVector<quint32> indexes;
        QVector<QPointF> positions;
    };
    for (int column = qMax(0, first); column <= last; ++column) {
        const ColumnRef ref = Column(column);
        const QTextBlock block = document_->findBlockByNumber(ref.block);
        const Paragraph& p = ParagraphOf(ref.block);
        const int begin = p.broken.column_starts[ref.column_in_block];
        const int end = ref.column_in_block + 1 < p.broken.column_starts.size()
                            ? p.broken.column_starts[ref.column_in_block + 1]
                            : static_cast<int>(p.shaped.units.size());
        const qreal centre = ColumnRight(column) - gap - width / 2;
        QMap<std::pair<bool, int>, Batch> batches;
        for (int u = begin; u < end; ++u) {
            const VerticalUnit& unit = p.shaped.units[u];
            const bool composing = p.InPreedit(unit.position);
            const int at = block.position() + p.DocumentOffset(unit.position);
            const bool selected = !composing && at >= selection_start && at < selection_end;
            const qreal top = p.broken.unit_y[u];
            if (composing) {
                // Vertical text is underlined on its right.
                painter.fillRect(QRectF(centre + width / 2 + 1, top, 1, unit.advance), colors.text);
            }
            if (selected) {
                painter.fillRect(QRectF(centre - width / 2, top, width, unit.advance),
                                 colors.highlight);
            }
            if (unit.sideways) {
                painter.setPen(selected ? colors.highlighted_text : colors.text);
                DrawUnit(painter, FaceFont(unit.face), p.shaped, unit, QPointF(centre, top));
                continue;
            }
            if (unit.combined) {
                painter.setPen(selected ? colors.highlighted_text : colors.text);
                DrawCombined(painter, FaceFont(unit.face), p.shaped, unit, centre, top, width);
                continue;
            }
            Batch& batch = batches[{selected, unit.face}];
            for (int g = unit.first_glyph; g < unit.first_glyph + unit.glyph_count; ++g) {
                batch.indexes.push_back(p.shaped.glyphs[g].index);
                batch.positions.push_back(p.shaped.glyphs[g].offset + QPointF(centre, top));
            }
        }
        const bool last_of_paragraph = ref.column_in_block + 1 == p.broken.column_starts.size();
        const int paragraph_end = block.position() + p.TextLength();
        if (last_of_paragraph && paragraph_end >= selection_start &&
            paragraph_end < selection_end) {
            // A selected paragraph end shows as half a square after the paragraph's last unit.
            const qreal top =
                end > begin ? p.broken.unit_y[end - 1] + p.shaped.units[end - 1].advance : 0;
            const qreal length = qMin(width / 2, height_ - top);
            if (length > 0) {
                painter.fillRect(QRectF(centre - width / 2, top, width, length), colors.highlight);
            }
        }
        for (auto it = batches.cbegin(); it != batches.cend(); ++it) {
            QGlyphRun run;
            run.setRawFont(FaceFont(it.key().second));
            run.setGlyphIndexes(it->indexes);
            run.setPositions(it->positions);
            painter.setPen(it.key().first ? colors.highlighted_text : colors.text);
            painter.drawGlyphRun(QPointF(), run);
        }
        DrawNotation(painter, p.shaped, p.broken, begin, end, centre, colors.text);
    }
}

}  // namespace folix::gui
