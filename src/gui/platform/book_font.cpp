#include "gui/platform/book_font.h"

#include <cstdlib>

namespace folix::gui {

QStringList FamiliesWithFallback(const QString& face) {
    const bool mincho = face.contains("明朝") || face.contains("Mincho", Qt::CaseInsensitive) ||
                        face.contains("Serif", Qt::CaseInsensitive);
    const QString japanese = mincho ? "Noto Serif CJK JP" : "Noto Sans CJK JP";
    QStringList families;
    if (!face.isEmpty()) {
        families << face;
    }
    if (face != japanese) {
        families << japanese;
    }
    return families;
}

QFont FontFromCharFormat(const EditorCharFormat& format, const QFont& base) {
    QFont font = base;
    font.setFamilies(FamiliesWithFallback(QString::fromStdString(format.face)));
    if (format.size_twips > 0) {
        font.setPointSizeF(std::min(format.size_twips / 20.0, 1000.0));
    }
    font.setWeight(format.weight == 700 ? QFont::Bold : QFont::Normal);
    font.setItalic(format.italic);
    font.setUnderline(format.underline);
    font.setStrikeOut(format.strike_out);
    return font;
}

QFont FontFromLogFont(const LogFont& record) {
    QFont font;
    font.setFamilies(FamiliesWithFallback(QString::fromStdString(record.lfFaceName)));
    const double points = std::abs(static_cast<double>(record.lfHeight)) / 2.0;
    if (points > 0) {
        font.setPointSizeF(std::min(points, 1000.0));
    }
    if (record.lfWeight >= 1 && record.lfWeight <= 1000) {
        font.setWeight(static_cast<QFont::Weight>(record.lfWeight));
    }
    font.setItalic(record.lfItalic != 0);
    font.setUnderline(record.lfUnderline != 0);
    font.setStrikeOut(record.lfStrikeOut != 0);
    return font;
}

LogFont LogFontFromFont(const QFont& font, LogFont base) {
    base.lfHeight = HeightForPoints(font.pointSizeF() > 0 ? font.pointSizeF() : 10.0);
    base.lfWidth = 0;
    base.lfEscapement = 0;
    base.lfOrientation = 0;
    base.lfWeight = font.weight();
    base.lfItalic = font.italic() ? 1 : 0;
    base.lfUnderline = font.underline() ? 1 : 0;
    base.lfStrikeOut = font.strikeOut() ? 1 : 0;
    base.lfFaceName = ClipFaceName(font.family().toStdString());
    return base;
}

QColor ColorFromColorRef(uint32_t color) {
    return QColor(static_cast<int>(color & 0xff), static_cast<int>((color >> 8) & 0xff),
                  static_cast<int>((color >> 16) & 0xff));
}

uint32_t ColorRefFromColor(const QColor& color) {
    return static_cast<uint32_t>(color.red()) | static_cast<uint32_t>(color.green()) << 8 |
           static_cast<uint32_t>(color.blue()) << 16;
}

}  // namespace folix::gui
