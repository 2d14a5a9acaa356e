#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <QVector>

class QPaintDevice;
class QPainter;
class QTextDocument;

namespace folix::gui {

// Ruby above its base in a copy of the text laid out in horizontal lines, as printing lays it
// out: the notation's marks are taken out of the copy, each paragraph with ruby or emphasis gets
// room above its lines, and the ruby and the dots are drawn there. The editor's own document is
// never touched.
class HorizontalRuby {
public:
    // The copy is read and rewritten here; its fonts are measured on the device.
    HorizontalRuby(QTextDocument& copy, QPaintDevice* device);

    // The ruby and dots of the lines inside `view` (document coordinates), in the text's ink.
    void Draw(QPainter& painter, const QRectF& view, const QColor& ink) const;
    int MarkCount() const { return static_cast<int>(marks_.size()); }

private:
    struct Mark {
        int position = 0;  // of the base in the rewritten copy
        int length = 0;
        QString ruby;  // empty: emphasis dots over each character
        QFont font;    // the base's, halved
    };

    QTextDocument& copy_;
    QPaintDevice* device_;
    QVector<Mark> marks_;
};

}  // namespace folix::gui
