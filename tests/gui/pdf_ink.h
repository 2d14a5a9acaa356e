#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QString>

#include <algorithm>

namespace folix::testing {

// The bounding box of the ink on one page of a PDF, in millimetres from the paper's corner, and
// the page as rendered at 100 dots an inch.
struct Ink {
    double left = 1e9, top = 1e9, right = -1, bottom = -1;
    QImage page;
};

inline Ink InkOfPage(const QString& pdf, const QString& png_base, int page = 1) {
    QProcess render;
    const QString number = QString::number(page);
    render.start("pdftoppm",
                 {"-r", "100", "-png", "-f", number, "-l", number, "-singlefile", pdf, png_base});
    EXPECT_TRUE(render.waitForFinished(60000));
    EXPECT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
    Ink ink;
    ink.page = QImage(png_base + ".png");
    EXPECT_FALSE(ink.page.isNull());
    const double mm = 25.4 / 100;
    for (int y = 0; y < ink.page.height(); ++y) {
        for (int x = 0; x < ink.page.width(); ++x) {
            if (qGray(ink.page.pixel(x, y)) < 160) {
                ink.left = std::min(ink.left, x * mm);
                ink.right = std::max(ink.right, (x + 1) * mm);
                ink.top = std::min(ink.top, y * mm);
                ink.bottom = std::max(ink.bottom, (y + 1) * mm);
            }
        }
    }
    return ink;
}

}  // namespace folix::testing
