#include "gui/tree_images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>

#include "book/book_tree.h"

namespace folix::gui {
namespace {

constexpr int kSize = 32;  // drawn large, shown at the tree's icon size

void DrawFolder(QPainter& p, QColor fill, bool open) {
    p.setPen(QPen(fill.darker(160), 1.5));
    p.setBrush(fill.darker(110));
    p.drawRoundedRect(QRectF(3, 8, 26, 19), 2, 2);
    p.drawRoundedRect(QRectF(3, 5, 11, 6), 2, 2);
    p.setBrush(fill);
    if (open) {
        QPainterPath flap;
        flap.moveTo(7, 14);
        flap.lineTo(31, 14);
        flap.lineTo(27, 27);
        flap.lineTo(3, 27);
        flap.closeSubpath();
        p.drawPath(flap);
    } else {
        p.drawRoundedRect(QRectF(3, 11, 26, 16), 2, 2);
    }
}

void DrawPage(QPainter& p, QColor line) {
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.setBrush(Qt::white);
    QPainterPath page;
    page.moveTo(7, 3);
    page.lineTo(20, 3);
    page.lineTo(26, 9);
    page.lineTo(26, 29);
    page.lineTo(7, 29);
    page.closeSubpath();
    p.drawPath(page);
    p.setPen(QPen(line, 2));
    for (int y = 12; y <= 25; y += 4) {
        p.drawLine(10, y, 23, y);
    }
}

void DrawHitMark(QPainter& p) {
    p.setPen(QPen(QColor(150, 0, 0), 1));
    p.setBrush(QColor(230, 40, 40));
    p.drawEllipse(QRectF(19, 17, 12, 12));
}

QIcon Draw(int image) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor folder(240, 200, 90);
    switch (image) {
        case kImageClosedFolder:
            DrawFolder(p, folder, false);
            break;
        case kImageOpenFolder:
            DrawFolder(p, folder, true);
            break;
        case kImageEditableFile:
            DrawPage(p, QColor(70, 110, 190));
            break;
        case kImageEmptyFolder:
            DrawFolder(p, QColor(200, 200, 200), false);
            break;
        case kImageOtherFile:
            DrawPage(p, QColor(180, 180, 180));
            break;
        case kImageClosedFolderAboveHit:
            DrawFolder(p, folder, false);
            DrawHitMark(p);
            break;
        case kImageOpenFolderAboveHit:
            DrawFolder(p, folder, true);
            DrawHitMark(p);
            break;
        case kImageFileHit:
            DrawPage(p, QColor(70, 110, 190));
            DrawHitMark(p);
            break;
        default:  // the placeholder is never seen: a blank
            break;
    }
    return QIcon(pixmap);
}

}  // namespace

QIcon TreeItemIcon(int image) {
    static std::array<QIcon, 9> icons;
    if (image < 0 || image >= static_cast<int>(icons.size())) {
        image = kImagePlaceholder;
    }
    QIcon& icon = icons[static_cast<size_t>(image)];
    if (icon.isNull()) {
        icon = Draw(image);
    }
    return icon;
}

}  // namespace folix::gui
