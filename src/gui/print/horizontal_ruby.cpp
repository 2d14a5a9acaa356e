#include "gui/print/horizontal_ruby.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include "gui/platform/notation_line.h"
#include "typeset/ruby_placement.h"

namespace folix::gui {
namespace {

// Lines with ruby stand this much taller than the text, the ruby in the room above it.
constexpr qreal kRubyLineHeight = 1.6;
constexpr char32_t kSesameDot = 0xFE45;

QFont FontAt(const QTextDocument& document, int position) {
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(position + 1);
    return cursor.charFormat().font().resolve(document.defaultFont());
}

// Centre x of each glyph place in a line from begin to end (block offsets).
qreal XAt(const QTextLine& line, int offset) {
    return line.cursorToX(offset);
}

}  // namespace

HorizontalRuby::HorizontalRuby(QTextDocument& copy, QPaintDevice* device)
    : copy_(copy), device_(device) {
    QTextCursor cursor(&copy_);
    cursor.beginEditBlock();
    for (QTextBlock block = copy_.begin(); block.isValid(); block = block.next()) {
        const QString typed = block.text();
        const ReadLine read = ReadNotationLine(typed);
        if (read.typed_offset.isEmpty()) {
            continue;
        }
        // Out go the typed characters the reading does not show, from the end so the offsets
        // before them stay put.
        QVector<bool> shown(typed.size(), false);
        for (int s = 0; s < read.text.size(); ++s) {
            shown[read.typed_offset[s]] = true;
        }
        for (int t = static_cast<int>(typed.size()) - 1; t >= 0;) {
            if (shown[t]) {
                --t;
                continue;
            }
            int from = t;
            while (from > 0 && !shown[from - 1]) {
                --from;
            }
            cursor.setPosition(block.position() + from);
            cursor.setPosition(block.position() + t + 1, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
            t = from - 1;
        }
        if (read.marks.isEmpty()) {
            continue;
        }
        qreal tallest = 0;
        for (const ReadLine::Mark& mark : read.marks) {
            QFont font = FontAt(copy_, block.position() + mark.begin);
            // The layout scales line heights to the device itself: measured at the screen's size.
            tallest = qMax(tallest, QFontMetricsF(font).height());
            font.setPointSizeF(font.pointSizeF() / 2);
            marks_.push_back({block.position() + mark.begin, mark.end - mark.begin,
                              mark.kind == NotationKind::kRuby ? mark.ruby : QString(), font});
        }
        QTextBlockFormat room;
        room.setLineHeight(tallest * kRubyLineHeight, QTextBlockFormat::MinimumHeight);
        cursor.setPosition(block.position());
        cursor.mergeBlockFormat(room);
    }
    cursor.endEditBlock();
}

void HorizontalRuby::Draw(QPainter& painter, const QRectF& view, const QColor& ink) const {
    painter.save();
    painter.setPen(ink);
    for (const Mark& mark : marks_) {
        const QTextBlock block = copy_.findBlock(mark.position);
        const QTextLayout* layout = block.layout();
        const int begin = mark.position - block.position();
        const QTextLine line = layout->lineForTextPosition(begin);
        if (!line.isValid()) {
            continue;
        }
        const QPointF origin = copy_.documentLayout()->blockBoundingRect(block).topLeft();
        const qreal top = origin.y() + line.y();
        if (top < view.top() || top >= view.bottom()) {
            continue;
        }
        // A base running on to the next line keeps its ruby over the part on this one.
        const int end = qMin(begin + mark.length, line.textStart() + line.textLength());
        const qreal x0 = origin.x() + XAt(line, begin);
        const qreal x1 = origin.x() + XAt(line, end);
        const QFontMetricsF metrics(mark.font, device_);
        painter.setFont(mark.font);
        const qreal baseline = top - metrics.descent();
        if (mark.ruby.isEmpty()) {
            const QString dot = QString::fromUcs4(&kSesameDot, 1);
            for (int i = begin; i < end; ++i) {
                const qreal centre = origin.x() + (XAt(line, i) + XAt(line, i + 1)) / 2;
                painter.drawText(QPointF(centre - metrics.horizontalAdvance(dot) / 2, baseline),
                                 dot);
            }
            continue;
        }
        const QList<uint> characters = mark.ruby.toUcs4();
        qreal ruby_length = 0;
        QVector<qreal> widths;
        for (const uint c : characters) {
            const char32_t ch = c;
            widths.push_back(metrics.horizontalAdvance(QString::fromUcs4(&ch, 1)));
            ruby_length += widths.back();
        }
        const RubyPlacement placement =
            PlaceRuby(x1 - x0, end - begin, ruby_length, static_cast<int>(characters.size()),
                      (ruby_length - (x1 - x0)) / 2, (ruby_length - (x1 - x0)) / 2);
        // At either end of the line the ruby is drawn in from the edge, never past it.
        const qreal line_left = origin.x() + line.x();
        const qreal line_right = line_left + line.width();
        qreal start = qMax(x0 + placement.start, line_left);
        start = qMin(start, line_right - ruby_length);
        qreal x = start + placement.ruby_gap / 2;
        for (qsizetype i = 0; i < characters.size(); ++i) {
            const char32_t ch = characters[i];
            painter.drawText(QPointF(x, baseline), QString::fromUcs4(&ch, 1));
            x += widths[i] + placement.ruby_gap;
        }
    }
    painter.restore();
}

}  // namespace folix::gui
