// The vertical layout's typesetting of the web-novel notation: a paragraph as read, its ruby
// placed beside its base and drawn there with the emphasis dots.
#include "gui/vertical/vertical_layout.h"

#include <QGlyphRun>
#include <QPainter>

#include <algorithm>

#include "gui/platform/notation_line.h"
#include "gui/vertical/vertical_shaper.h"
#include "typeset/ruby_placement.h"

namespace folix::gui {

ShapedParagraph VerticalLayout::Typeset(const ReadLine& read) const {
    QVector<std::pair<int, int>> combined;
    for (const UprightSpan& span : UprightSpansOf(read.text, upright_digits_)) {
        combined.push_back({span.begin, span.end});
    }
    ShapedParagraph shaped = ShapeRuns(read.text, combined);
    const auto unit_at = [&shaped](int position) {
        const auto it = std::lower_bound(
            shaped.units.begin(), shaped.units.end(), position,
            [](const VerticalUnit& unit, int p) { return unit.position + unit.length <= p; });
        return static_cast<int>(it - shaped.units.begin());
    };
    // Which units carry ruby, so that no ruby overhangs another's base.
    QVector<bool> ruby_base(shaped.units.size(), false);
    for (const ReadLine::Mark& mark : read.marks) {
        for (int u = unit_at(mark.begin); u < unit_at(mark.end); ++u) {
            ruby_base[u] = mark.kind == NotationKind::kRuby;
            shaped.units[u].emphasis = mark.kind == NotationKind::kEmphasis;
        }
    }
    for (const ReadLine::Mark& mark : read.marks) {
        const int first = unit_at(mark.begin);
        const int last = unit_at(mark.end);
        if (mark.kind != NotationKind::kRuby || first >= last) {
            continue;
        }
        const QList<uint> ruby = mark.ruby.toUcs4();
        const int share = MonoRubyShare(last - first, static_cast<int>(ruby.size()));
        if (share == 0) {
            AddRuby(shaped, first, last, mark.ruby, ruby_base);
            continue;
        }
        for (int u = first; u < last; ++u) {
            const QList<uint> piece = ruby.mid((u - first) * share, share);
            AddRuby(shaped, u, u + 1,
                    QString::fromUcs4(reinterpret_cast<const char32_t*>(piece.constData()),
                                      piece.size()),
                    ruby_base);
        }
    }
    return shaped;
}

// Places a ruby beside units [first, last), spreading them where the ruby is too long for them.
void VerticalLayout::AddRuby(ShapedParagraph& shaped, int first, int last, const QString& ruby,
                             const QVector<bool>& ruby_base) const {
    const QVector<VerticalShaper::Glyph>& glyphs = ruby_face_->ShapeRepeated(ruby);
    qreal ruby_length = 0;
    for (const VerticalShaper::Glyph& g : glyphs) {
        ruby_length += g.advance;
    }
    qreal base_length = 0;
    for (int u = first; u < last; ++u) {
        base_length += shaped.units[u].advance;
    }
    const auto overhang = [&](int u) {
        const bool kana = u >= 0 && u < shaped.units.size() && !ruby_base[u] &&
                          RubyMayOverhang(shaped.text.at(shaped.units[u].position).unicode());
        return kana ? RubySize() : 0;
    };
    const int ruby_count = static_cast<int>(ruby.toUcs4().size());
    const RubyPlacement placement = PlaceRuby(base_length, last - first, ruby_length, ruby_count,
                                              overhang(first - 1), overhang(last));
    for (int u = first; u < last; ++u) {
        VerticalUnit& unit = shaped.units[u];
        unit.keep_with_previous = u > first;
        if (placement.base_gap > 0) {
            // Each character is centred in its longer place; upright digits centre themselves.
            for (int g = unit.first_glyph;
                 !unit.combined && g < unit.first_glyph + unit.glyph_count; ++g) {
                QPointF& offset = shaped.glyphs[g].offset;
                (unit.sideways ? offset.rx() : offset.ry()) += placement.base_gap / 2;
            }
            unit.advance += placement.base_gap;
        }
    }
    VerticalRuby placed;
    placed.first_unit = first;
    placed.unit_count = last - first;
    placed.first_glyph = static_cast<int>(shaped.ruby_glyphs.size());
    placed.glyph_count = static_cast<int>(glyphs.size());
    placed.top = placement.start + placement.ruby_gap / 2;
    placed.length = ruby_length + (ruby_count - 1) * placement.ruby_gap;
    qreal y = placement.start + placement.ruby_gap / 2;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        // A new character (not another glyph of the same cluster) takes the gap before it.
        if (i > 0 && glyphs[i].cluster != glyphs[i - 1].cluster) {
            y += placement.ruby_gap;
        }
        shaped.ruby_glyphs.push_back(
            {glyphs[i].index, QPointF(glyphs[i].x_offset, y + glyphs[i].y_offset)});
        y += glyphs[i].advance;
    }
    shaped.rubies.push_back(placed);
}

// The ruby of the bases opening in units [begin, end) and the dots beside them, on the right of
// the column whose centre line is at x = centre.
void VerticalLayout::DrawNotation(QPainter& painter, const ShapedParagraph& shaped,
                                  const BrokenParagraph& broken, int begin, int end, qreal centre,
                                  const QColor& ink) const {
    const qreal ruby_centre = centre + ColumnWidth() / 2 + RubySize() / 2;
    QVector<quint32> indexes;
    QVector<QPointF> positions;
    for (const VerticalRuby& ruby : shaped.rubies) {
        if (ruby.first_unit < begin || ruby.first_unit >= end) {
            continue;
        }
        // The kana a ruby overhangs may stand in another column: at either end of a column the
        // ruby is drawn in from the edge instead, never past it.
        qreal base_top = broken.unit_y[ruby.first_unit];
        const qreal from = base_top + ruby.top;
        if (from < 0) {
            base_top -= from;
        } else if (from + ruby.length > height_) {
            base_top -= qMin(from, from + ruby.length - height_);
        }
        const QPointF origin(ruby_centre, base_top);
        for (int g = ruby.first_glyph; g < ruby.first_glyph + ruby.glyph_count; ++g) {
            indexes.push_back(shaped.ruby_glyphs[g].index);
            positions.push_back(shaped.ruby_glyphs[g].offset + origin);
        }
    }
    for (int u = begin; u < end; ++u) {
        if (!shaped.units[u].emphasis) {
            continue;
        }
        const QPointF at(ruby_centre, broken.unit_y[u] + shaped.units[u].advance / 2);
        if (dot_glyph_ != 0) {
            indexes.push_back(dot_glyph_);
            positions.push_back(at + dot_offset_);
        } else {  // a face without the sesame dot: a round one
            painter.save();
            painter.setPen(Qt::NoPen);
            painter.setBrush(ink);
            painter.drawEllipse(at, RubySize() / 6, RubySize() / 6);
            painter.restore();
        }
    }
    if (indexes.isEmpty()) {
        return;
    }
    QGlyphRun run;
    run.setRawFont(ruby_face_->Font());
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    painter.setPen(ink);
    painter.drawGlyphRun(QPointF(), run);
}

}  // namespace folix::gui
