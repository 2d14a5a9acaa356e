#include "gui/manuscript/manuscript_pdf.h"

#include <QBuffer>
#include <QDateTime>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "count/book_count.h"
#include "editing/font_settings.h"
#include "gui/manuscript/shared_glyph_ideographs.h"
#include "gui/platform/book_font.h"
#include "typeset/ruby_placement.h"

namespace folix::gui {
namespace {

// Device units a millimetre at the writer's resolution: fine enough that every cell's edge is
// where the grid says.
constexpr int kResolution = 1200;
constexpr double kUnitsPerMm = kResolution / 25.4;
// A line is its cells and a strip beside them for ruby and dots, half a cell wide.
constexpr double kRubyStrip = 0.5;
constexpr double kLinePitch = 1.0 + kRubyStrip;
// The character's size within its cell, and the ruby's.
constexpr double kCharacterSize = 0.86;
constexpr double kRubySize = 0.5;

QString Utf16Of(std::u32string_view text) {
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

// In vertical writing these turn a quarter clockwise: brackets, dashes, the long vowel mark.
bool TurnsInVertical(char32_t c) {
    switch (c) {
        case U'ー':
        case U'～':
        case U'〜':
        case U'…':
        case U'‥':
        case U'―':
        case U'—':
        case U'－':
        case U'＝':
        case U'-':
        case U'=':
        case U'~':
        case U'（':
        case U'）':
        case U'(':
        case U')':
        case U'「':
        case U'」':
        case U'『':
        case U'』':
        case U'【':
        case U'】':
        case U'〔':
        case U'〕':
        case U'〈':
        case U'〉':
        case U'《':
        case U'》':
        case U'［':
        case U'］':
        case U'｛':
        case U'｝':
        case U'[':
        case U']':
        case U'{':
        case U'}':
        case U'<':
        case U'>':
        case U'＜':
        case U'＞':
        case U'〘':
        case U'〙':
        case U'〖':
        case U'〗':
        case U'：':
        case U'；':
        case U'｜':
            return true;
        default:
            return false;
    }
}

// Comma and full stop sit in the cell's upper right in vertical writing, where the horizontal
// forms sit lower left.
bool IsVerticalStop(char32_t c) {
    return c == U'、' || c == U'。' || c == U'，' || c == U'．';
}

bool IsSmallKana(char32_t c) {
    static constexpr std::u32string_view kSmall =
        U"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶㇰㇱㇲㇳㇴㇵㇶㇷㇸㇹㇺㇻㇼㇽㇾㇿ";
    return kSmall.find(c) != std::u32string_view::npos;
}

// The sheet's grid in device units: where each line and cell is.
class SheetGeometry {
public:
    SheetGeometry(const ManuscriptPage& page, QSizeF paper_mm) : page_(page) {
        const double width = paper_mm.width() - page.margin_left - page.margin_right;
        const double height = paper_mm.height() - page.margin_top - page.margin_bottom;
        const double along = page.vertical ? height : width;
        const double across = page.vertical ? width : height;
        fold_ = page.ruled && page.grid.lines % 2 == 0 ? 1 : 0;
        const double cell =
            std::min(along / page.grid.cells, across / (kLinePitch * (page.grid.lines + fold_)));
        cell_ = std::max(cell, 0.5) * kUnitsPerMm;
        const double grid_along = cell_ * page.grid.cells;
        const double grid_across = cell_ * kLinePitch * (page.grid.lines + fold_);
        const double left = page.margin_left * kUnitsPerMm;
        const double top = page.margin_top * kUnitsPerMm;
        const double grid_width = page.vertical ? grid_across : grid_along;
        const double grid_height = page.vertical ? grid_along : grid_across;
        grid_ = QRectF(left + (width * kUnitsPerMm - grid_width) / 2,
                       top + (height * kUnitsPerMm - grid_height) / 2, grid_width, grid_height);
    }

    double Cell() const { return cell_; }
    const QRectF& Grid() const { return grid_; }
    bool HasFold() const { return fold_ != 0; }

    // How far across the grid line `line` of the sheet begins (the fold's gap after the first
    // half).
    double Across(int line) const {
        const int fold = fold_ != 0 && line >= page_.grid.lines / 2 ? 1 : 0;
        return (line + fold) * kLinePitch * cell_;
    }

    // The square a cell's character is set in; cell may be past the line's last (hanging) or
    // fractional (ruby).
    QRectF CellRect(int line, double cell) const {
        const double across = Across(line);
        if (page_.vertical) {
            const double right = grid_.right() - across - kRubyStrip * cell_;
            return QRectF(right - cell_, grid_.top() + cell * cell_, cell_, cell_);
        }
        return QRectF(grid_.left() + cell * cell_, grid_.top() + across + kRubyStrip * cell_, cell_,
                      cell_);
    }

    // The ruby strip beside a cell: right of it in vertical writing, above it in horizontal.
    QRectF StripRect(int line, double cell, double length) const {
        const QRectF square = CellRect(line, cell);
        const double strip = kRubyStrip * cell_;
        if (page_.vertical) {
            return QRectF(square.right(), square.top(), strip, length * cell_);
        }
        return QRectF(square.left(), square.top() - strip, length * cell_, strip);
    }

private:
    const ManuscriptPage& page_;
    int fold_ = 0;
    double cell_ = 0;
    QRectF grid_;
};

// Draws characters centred at points, each measured once.
class CentredText {
public:
    CentredText(QPainter& painter, const QFont& font) : painter_(painter), font_(font) {
        const QFontMetricsF metrics(font_, painter.device());
        metrics_ = metrics;
        baseline_ = (metrics.ascent() - metrics.descent()) / 2;
    }

    void Use() { painter_.setFont(font_); }

    double Advance(const QString& text) {
        auto found = advances_.constFind(text);
        if (found != advances_.constEnd()) {
            return *found;
        }
        const double advance = metrics_.horizontalAdvance(text);
        advances_.insert(text, advance);
        return advance;
    }

    // The text's centre at centre; squeezed across to fit `room` where it is wider.
    void Draw(const QString& text, QPointF centre, double room = 0) {
        const double advance = Advance(text);
        if (room > 0 && advance > room) {
            painter_.save();
            painter_.translate(centre);
            painter_.scale(room / advance, 1);
            painter_.drawText(QPointF(-advance / 2, baseline_), text);
            painter_.restore();
            return;
        }
        painter_.drawText(QPointF(centre.x() - advance / 2, centre.y() + baseline_), text);
    }

    void DrawTurned(const QString& text, QPointF centre) {
        painter_.save();
        painter_.translate(centre);
        painter_.rotate(90);
        painter_.drawText(QPointF(-Advance(text) / 2, baseline_), text);
        painter_.restore();
    }

private:
    QPainter& painter_;
    QFont font_;
    QFontMetricsF metrics_{QFont()};
    double baseline_ = 0;
    QHash<QString, double> advances_;
};

class ManuscriptPainter {
public:
    ManuscriptPainter(QPainter& painter, const ManuscriptPage& page, const SheetGeometry& sheet)
        : painter_(painter),
          page_(page),
          sheet_(sheet),
          text_(painter, SizedFont(page.font, sheet.Cell() * kCharacterSize)),
          ruby_(painter, SizedFont(page.font, sheet.Cell() * kRubySize)),
          folio_(painter, SizedFont(page.font, sheet.Cell() * 0.6)) {}

    static QFont SizedFont(QFont font, double pixels) {
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
        font.setKerning(false);
        font.setHintingPreference(QFont::PreferNoHinting);
        return font;
    }

    void Rules() {
        const QRectF grid = sheet_.Grid();
        const double cell = sheet_.Cell();
        painter_.save();
        painter_.setPen(QPen(QColor(200, 60, 40), kUnitsPerMm * 0.12));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(grid);
        for (int line = 0; line < page_.grid.lines; ++line) {
            const QRectF first = sheet_.CellRect(line, 0);
            const QRectF last = sheet_.CellRect(line, page_.grid.cells - 1);
            const QRectF band = first.united(last);
            painter_.drawRect(band);
            for (int c = 1; c < page_.grid.cells; ++c) {
                const QRectF square = sheet_.CellRect(line, c);
                if (page_.vertical) {
                    painter_.drawLine(QPointF(band.left(), square.top()),
                                      QPointF(band.right(), square.top()));
                } else {
                    painter_.drawLine(QPointF(square.left(), band.top()),
                                      QPointF(square.left(), band.bottom()));
                }
            }
        }
        if (sheet_.HasFold()) {
            // The fold: a small mark in the middle of its gap at each end.
            const double across = sheet_.Across(page_.grid.lines / 2) - 0.5 * kLinePitch * cell;
            const double r = cell * 0.25;
            painter_.setBrush(QColor(200, 60, 40));
            if (page_.vertical) {
                const double x = grid.right() - across;
                painter_.drawEllipse(QPointF(x, grid.top() + cell), r, r);
                painter_.drawEllipse(QPointF(x, grid.bottom() - cell), r, r);
            } else {
                const double y = grid.top() + across;
                painter_.drawEllipse(QPointF(grid.left() + cell, y), r, r);
                painter_.drawEllipse(QPointF(grid.right() - cell, y), r, r);
            }
        }
        painter_.restore();
    }

    void Folio(int number) {
        folio_.Use();
        const QRectF grid = sheet_.Grid();
        const double below = std::min(sheet_.Cell() * 1.2,
                                      (page_.margin_bottom * kUnitsPerMm) / 2 + sheet_.Cell() / 2);
        folio_.Draw(QString::number(number), QPointF(grid.center().x(), grid.bottom() + below));
    }

    // The paragraph's units on lines [from, to) of the book, which the sheet starts at from.
    void Paragraph(const GridParagraph& paragraph, uint64_t from, uint64_t to) {
        const std::u32string& shown = paragraph.line.text;
        text_.Use();
        for (size_t i = 0; i < paragraph.units.size(); ++i) {
            const uint64_t line = paragraph.first_line + paragraph.places[i].line;
            if (line < from || line >= to) {
                continue;
            }
            const GridUnit& unit = paragraph.units[i];
            const QRectF square =
                sheet_.CellRect(static_cast<int>(line - from), paragraph.places[i].cell);
            Unit(std::u32string_view(shown).substr(unit.begin, unit.end - unit.begin), square);
        }
        for (const ReaderLine::Mark& mark : paragraph.line.marks) {
            Mark(paragraph, mark, from, to);
        }
    }

private:
    void Unit(std::u32string_view characters, const QRectF& square) {
        if (characters.empty() || characters[0] == U' ' || characters[0] == U'\u3000' ||
            characters[0] == U'\t') {
            return;
        }
        const QString text = Utf16Of(characters);
        const QPointF centre = square.center();
        const double cell = sheet_.Cell();
        if (characters.size() > 1) {
            text_.Draw(text, centre, cell * 0.92);
            return;
        }
        const char32_t c = characters[0];
        if (!page_.vertical) {
            text_.Draw(text, centre);
        } else if (TurnsInVertical(c)) {
            text_.DrawTurned(text, centre);
        } else if (IsVerticalStop(c)) {
            text_.Draw(text, centre + QPointF(cell * 0.5, -cell * 0.5) * kCharacterSize);
        } else if (IsSmallKana(c)) {
            text_.Draw(text, centre + QPointF(cell * 0.1, -cell * 0.1) * kCharacterSize);
        } else {
            text_.Draw(text, centre);
        }
    }

    // Where a place along the paragraph's units falls (a unit index and a fraction of its cell),
    // as a sheet line and cell; nothing when that line is not on the sheet.
    bool AlongUnits(const GridParagraph& paragraph, const ReaderLine::Mark& mark, double along,
                    uint64_t from, uint64_t to, int& line, double& cell) const {
        size_t first = 0;
        while (first < paragraph.units.size() && paragraph.units[first].end <= mark.begin) {
            ++first;
        }
        size_t last = first;
        while (last < paragraph.units.size() && paragraph.units[last].begin < mark.end) {
            ++last;
        }
        if (first >= last) {
            return false;
        }
        const double whole = std::floor(along);
        size_t index =
            first + static_cast<size_t>(std::clamp(whole, 0.0, double(last - first - 1)));
        const double rest = along - static_cast<double>(index - first);
        const uint64_t book_line = paragraph.first_line + paragraph.places[index].line;
        if (book_line < from || book_line >= to) {
            return false;
        }
        line = static_cast<int>(book_line - from);
        cell = paragraph.places[index].cell + rest;
        return true;
    }

    void Mark(const GridParagraph& paragraph, const ReaderLine::Mark& mark, uint64_t from,
              uint64_t to) {
        size_t base_units = 0;
        for (const GridUnit& unit : paragraph.units) {
            if (unit.begin >= mark.begin && unit.end <= mark.end) {
                ++base_units;
            }
        }
        if (base_units == 0) {
            return;
        }
        const double cell = sheet_.Cell();
        if (mark.kind == NotationKind::kEmphasis) {
            painter_.save();
            painter_.setPen(Qt::NoPen);
            painter_.setBrush(Qt::black);
            for (size_t i = 0; i < base_units; ++i) {
                int line = 0;
                double at = 0;
                if (AlongUnits(paragraph, mark, static_cast<double>(i) + 0.5, from, to, line, at)) {
                    const QRectF strip = sheet_.StripRect(line, at, 0);
                    const QPointF centre = page_.vertical
                                               ? QPointF(strip.center().x(), strip.top())
                                               : QPointF(strip.left(), strip.center().y());
                    Sesame(centre, cell * 0.12);
                }
            }
            painter_.restore();
            return;
        }
        const auto count = static_cast<int>(mark.ruby.size());
        const double ruby_length = count * kRubySize;
        const RubyPlacement placed =
            PlaceRuby(static_cast<double>(base_units), static_cast<int>(base_units), ruby_length,
                      count, 0.5, 0.5);
        const double step = ruby_length / count + placed.ruby_gap;
        ruby_.Use();
        for (int i = 0; i < count; ++i) {
            const double centre_along =
                placed.start + placed.ruby_gap / 2 + i * step + ruby_length / count / 2;
            int line = 0;
            double at = 0;
            if (!AlongUnits(paragraph, mark, centre_along, from, to, line, at)) {
                continue;
            }
            const QRectF strip = sheet_.StripRect(line, at, 0);
            const QPointF centre = page_.vertical ? QPointF(strip.center().x(), strip.top())
                                                  : QPointF(strip.left(), strip.center().y());
            const QString ruby = Utf16Of(std::u32string_view(mark.ruby).substr(i, 1));
            if (page_.vertical && TurnsInVertical(mark.ruby[i])) {
                ruby_.DrawTurned(ruby, centre);
            } else {
                ruby_.Draw(ruby, centre);
            }
        }
        text_.Use();
    }

    // A sesame dot: a small teardrop, drawn rather than set so the text reads without it.
    void Sesame(QPointF centre, double r) {
        QPainterPath dot;
        dot.addEllipse(centre, r, r * 1.3);
        painter_.drawPath(dot);
    }

    QPainter& painter_;
    const ManuscriptPage& page_;
    const SheetGeometry& sheet_;
    CentredText text_;
    CentredText ruby_;
    CentredText folio_;
};

void TitlePage(QPainter& painter, const ManuscriptPage& page, const QRectF& paper) {
    const double unit = std::min(paper.width(), paper.height()) / 40;
    QFont title = ManuscriptPainter::SizedFont(page.font, unit * 2.2);
    QFont small = ManuscriptPainter::SizedFont(page.font, unit * 1.1);
    const QString count = QStringLiteral("四百字詰め原稿用紙換算 %1枚").arg(page.sheets_of_400);
    painter.setFont(title);
    painter.drawText(
        QRectF(paper.left(), paper.top() + paper.height() * 0.3, paper.width(), unit * 4),
        Qt::AlignCenter, page.title);
    painter.setFont(small);
    painter.drawText(
        QRectF(paper.left(), paper.top() + paper.height() * 0.5, paper.width(), unit * 2),
        Qt::AlignCenter, page.author);
    painter.drawText(
        QRectF(paper.left(), paper.top() + paper.height() * 0.62, paper.width(), unit * 2),
        Qt::AlignCenter, count);
}

QByteArray XmlEscaped(const QString& text) {
    return text.toHtmlEscaped().toUtf8();
}

QByteArray Metadata(const ManuscriptPage& page) {
    return "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
           "<x:xmpmeta xmlns:x='adobe:ns:meta/'>\n"
           "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>\n"
           "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/'>\n"
           "<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>" +
           XmlEscaped(page.title) +
           "</rdf:li></rdf:Alt></dc:title>\n"
           "<dc:creator><rdf:Seq><rdf:li>" +
           XmlEscaped(page.author) +
           "</rdf:li></rdf:Seq></dc:creator>\n"
           "</rdf:Description>\n</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end='w'?>";
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// The writer names a glyph's text by the first character the face maps to it, which for an
// ideograph sharing its glyph with a radical is the radical: its text would not be found by a
// search for the ideograph. Each such <XXXX> of the text maps is put back, in place and at the
// same length, so no offset of the file moves.
void RestoreIdeographs(QByteArray& pdf) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    qsizetype at = 0;
    while ((at = pdf.indexOf("begincmap", at)) >= 0) {
        const qsizetype end = pdf.indexOf("endcmap", at);
        if (end < 0) {
            return;
        }
        for (qsizetype i = at; i + 5 < end; ++i) {
            if (pdf[i] != '<' || pdf[i + 5] != '>') {
                continue;
            }
            int code = 0;
            bool hex = true;
            for (int k = 1; k <= 4 && hex; ++k) {
                const int digit = HexDigit(pdf[i + k]);
                hex = digit >= 0;
                code = code * 16 + digit;
            }
            if (!hex) {
                continue;
            }
            const auto found =
                std::lower_bound(kSharedGlyphIdeographs.begin(), kSharedGlyphIdeographs.end(),
                                 static_cast<char16_t>(code),
                                 [](const std::pair<char16_t, char16_t>& pair, char16_t c) {
                                     return pair.first < c;
                                 });
            if (found != kSharedGlyphIdeographs.end() && found->first == code) {
                for (int k = 0; k < 4; ++k) {
                    pdf[i + 4 - k] = kHex[(found->second >> (4 * k)) & 0xF];
                }
            }
            i += 5;
        }
        at = end;
    }
}

// With SOURCE_DATE_EPOCH the creation date is that time, so the same book gives the same bytes;
// written at the same length as the writer's own date.
void ApplySourceDate(QByteArray& pdf) {
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    if (epoch == nullptr || *epoch == '\0') {
        return;
    }
    char* end = nullptr;
    const long long seconds = std::strtoll(epoch, &end, 10);
    if (*end != '\0' || seconds < 0) {
        return;
    }
    const QByteArray key = "/CreationDate (D:";
    const qsizetype at = pdf.indexOf(key);
    const qsizetype close = at < 0 ? -1 : pdf.indexOf(')', at);
    if (close < 0) {
        return;
    }
    const qsizetype from = at + key.size();
    const QByteArray time =
        QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString("yyyyMMddhhmmss").toLatin1();
    QByteArray date = time + (close - from == time.size() + 1 ? "Z" : "+00'00'");
    if (date.size() == close - from) {
        pdf.replace(from, date.size(), date);
    }
}

}  // namespace

bool LandscapeForGrid(const GridSize& grid) {
    return grid.cells >= 30;
}

QFont ManuscriptFont(const QString& book_face) {
    QFont font;
    if (book_face.isEmpty() || book_face == QString::fromUtf8(kDefaultFaceName)) {
        font.setFamilies({QStringLiteral("Noto Serif CJK JP")});
    } else {
        font.setFamilies(FamiliesWithFallback(book_face));
    }
    return font;
}

namespace {

bool Paint(const GridManuscript& manuscript, const ManuscriptPage& page, QIODevice& device,
           const std::function<void(int, int)>& progress) {
    QPdfWriter writer(&device);
    writer.setResolution(kResolution);
    writer.setPageSize(QPageSize(page.paper));
    writer.setPageOrientation(page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writer.setTitle(page.title);
    writer.setCreator(QStringLiteral("Folix"));
    writer.setDocumentXmpMetadata(Metadata(page));
    const QSizeF paper_mm = writer.pageLayout().fullRect(QPageLayout::Millimeter).size();

    QPainter painter;
    if (!painter.begin(&writer)) {
        return false;
    }
    const QRectF paper(QPointF(0, 0), paper_mm * kUnitsPerMm);
    const auto lines_per_sheet = static_cast<uint64_t>(page.grid.lines);
    const uint64_t sheets = SheetsBegun(manuscript.lines, page.grid.lines);
    const int pages = static_cast<int>(sheets) + (page.title_page ? 1 : 0);
    painter.setPen(Qt::black);
    bool first = true;
    if (page.title_page) {
        TitlePage(painter, page, paper);
        first = false;
        if (progress) {
            progress(1, pages);
        }
    }
    const SheetGeometry sheet(page, paper_mm);
    ManuscriptPainter manuscript_painter(painter, page, sheet);
    size_t paragraph = 0;
    for (uint64_t number = 0; number < sheets; ++number) {
        if (!first && !writer.newPage()) {
            return false;
        }
        first = false;
        const uint64_t from = number * lines_per_sheet;
        const uint64_t to = from + lines_per_sheet;
        if (page.ruled) {
            manuscript_painter.Rules();
        }
        painter.setPen(Qt::black);
        while (paragraph < manuscript.paragraphs.size() &&
               manuscript.paragraphs[paragraph].first_line < to) {
            manuscript_painter.Paragraph(manuscript.paragraphs[paragraph], from, to);
            const GridParagraph& set = manuscript.paragraphs[paragraph];
            const uint64_t end =
                set.first_line + (set.places.empty() ? 1 : set.places.back().line + 1);
            if (end > to) {
                break;  // runs on to the next sheet
            }
            ++paragraph;
        }
        manuscript_painter.Folio(static_cast<int>(number) + 1);
        if (progress) {
            progress(static_cast<int>(number) + 1 + (page.title_page ? 1 : 0), pages);
        }
    }
    return painter.end();
}

}  // namespace

bool WriteManuscriptPdf(const GridManuscript& manuscript, const ManuscriptPage& page,
                        QIODevice& device, const std::function<void(int, int)>& progress) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!Paint(manuscript, page, buffer, progress)) {
        return false;
    }
    QByteArray pdf = buffer.buffer();
    RestoreIdeographs(pdf);
    ApplySourceDate(pdf);
    return device.write(pdf) == pdf.size();
}

}  // namespace folix::gui
