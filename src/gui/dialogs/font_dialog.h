#pragma once

#include <QColor>
#include <QDialog>

#include "editing/font_settings.h"

class QFontDialog;
class QPushButton;

namespace folix::gui {

// The font chooser of the "フォント" command: face, style, size, underline and strike-out from
// Qt's own chooser, and the text colour, which that chooser lacks, on a button below it.
class FontChooserDialog : public QDialog {
    Q_OBJECT
public:
    // Starts from the book's record and colour.
    FontChooserDialog(const LogFont& record, uint32_t color, QWidget* parent = nullptr);

    // The record for the chosen font: what the chooser does not know stays as it was.
    LogFont ChosenRecord() const;
    uint32_t ChosenColor() const;

    QFont CurrentFont() const;
    void SetCurrentFont(const QFont& font);
    QColor CurrentColor() const { return color_; }
    void SetCurrentColor(const QColor& color);

private:
    void PickColor();

    LogFont record_;
    QColor color_;
    QFontDialog* chooser_;
    QPushButton* color_button_;
};

}  // namespace folix::gui
