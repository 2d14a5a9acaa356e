#pragma once

#include <QHash>
#include <QRawFont>
#include <QString>
#include <QVector>

struct hb_face_t;
struct hb_font_t;

namespace folix::gui {

// HarfBuzz over the face Qt chose: Qt 6.4 cannot ask for the font's vertical forms itself, so the
// face's own tables are handed to HarfBuzz and shaped top to bottom, which applies the designer's
// vertical alternates and vertical metrics.
class VerticalShaper {
public:
    // In pixels, y growing downwards; the offsets move the glyph's horizontal origin away from
    // the pen, which for top-to-bottom runs walks down the column's centre line.
    struct Glyph {
        quint32 index = 0;
        int cluster = 0;    // UTF-16 index of the first character in the text
        qreal advance = 0;  // along the run: down for top-to-bottom, right for left-to-right
        qreal x_offset = 0;
        qreal y_offset = 0;
    };

    explicit VerticalShaper(const QRawFont& font);
    ~VerticalShaper();
    VerticalShaper(const VerticalShaper&) = delete;
    VerticalShaper& operator=(const VerticalShaper&) = delete;

    const QRawFont& Font() const { return raw_; }
    QVector<Glyph> Shape(const QString& text, int start, int length, bool top_to_bottom) const;
    // A whole short text top to bottom, shaped once: a novel repeats its ruby, names above all.
    const QVector<Glyph>& ShapeRepeated(const QString& text) const;

private:
    QRawFont raw_;
    hb_face_t* face_ = nullptr;
    hb_font_t* font_ = nullptr;
    qreal scale_ = 1;
    mutable QHash<QString, QVector<Glyph>> repeated_;
};

}  // namespace folix::gui
