#include "gui/widgets/tree_images.h"

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

QIcon Draw(TreeItemImage image) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor folder(240, 200, 90);
    // The placeholder is never seen: a blank.
    if (image == kImageClosedFolder || image == kImageClosedFolderAboveHit) {
        DrawFolder(p, folder, false);
    } else if (image == kImageOpenFolder || image == kImageOpenFolderAboveHit) {
        DrawFolder(p, folder, true);
    } else if (image == kImageEditableFile || image == kImageFileHit) {
        DrawPage(p, QColor(70, 110, 190));
    } else if (image == kImageEmptyFolder) {
        DrawFolder(p, QColor(200, 200, 200), false);
    } else if (image == kImageOtherFile) {
        DrawPage(p, QColor(180, 180, 180));
    }
    // The search's mark drawn over the folder or page.
    if (image == kImageClosedFolderAboveHit || image == kImageOpenFolderAboveHit ||
        image == kImageFileHit) {
        DrawHitMark(p);
    }
    return QIcon(pixmap);
}

}  // namespace

QIcon TreeItemIcon(TreeItemImage image) {
    static std::array<QIcon, kTreeImageCount> icons;
    int index = static_cast<int>(image);
    if (index < 0 || index >= kTreeImageCount) {
        index = static_cast<int>(kImagePlaceholder);
        image = kImagePlaceholder;
    }
    QIcon& icon = icons[static_cast<size_t>(index)];
    if (icon.isNull()) {
        icon = Draw(image);
    }
    return icon;
}

}  // namespace folix::gui
