#include "gui/dialogs/font_dialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/platform/book_font.h"
#include "gui/widgets/dialog_buttons.h"

namespace folix::gui {
namespace {

QIcon ColorSwatch(const QColor& color) {
    QPixmap pixmap(36, 16);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(Qt::gray);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

}  // namespace

FontChooserDialog::FontChooserDialog(const LogFont& record, uint32_t color, QWidget* parent)
    : QDialog(parent), record_(record), color_(ColorFromColorRef(color)) {
    setObjectName("fontChooser");
    setWindowTitle("フォント");
    // Qt's chooser, as a part of this window rather than a window of its own.
    chooser_ = new QFontDialog(this);
    chooser_->setWindowFlags(Qt::Widget);
    chooser_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog |
                         QFontDialog::ScalableFonts | QFontDialog::NonScalableFonts);
    // A face this desktop lacks is offered as the face the editor shows in its place.
    QFont start = FontFromLogFont(record);
    if (!QFontDatabase::hasFamily(start.family())) {
        start.setFamily(QFontInfo(start).family());
    }
    chooser_->setCurrentFont(start);

    color_button_ = new QPushButton(this);
    color_button_->setObjectName("color");
    color_button_->setIconSize(QSize(36, 16));
    connect(color_button_, &QPushButton::clicked, this, &FontChooserDialog::PickColor);
    auto* color_label = new QLabel("色(&C):", this);
    color_label->setBuddy(color_button_);
    auto* color_row = new QHBoxLayout;
    color_row->addWidget(color_label);
    color_row->addWidget(color_button_);
    color_row->addStretch(1);

    QDialogButtonBox* buttons = MakeOkCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chooser_, 1);
    layout->addLayout(color_row);
    layout->addWidget(buttons);
    SetCurrentColor(color_);
}

QFont FontChooserDialog::CurrentFont() const {
    return chooser_->currentFont();
}

void FontChooserDialog::SetCurrentFont(const QFont& font) {
    chooser_->setCurrentFont(font);
}

void FontChooserDialog::SetCurrentColor(const QColor& color) {
    color_ = color;
    color_button_->setIcon(ColorSwatch(color));
    color_button_->setToolTip(color.name());
}

void FontChooserDialog::PickColor() {
    const QColor chosen =
        QColorDialog::getColor(color_, this, "色", QColorDialog::DontUseNativeDialog);
    if (chosen.isValid()) {
        SetCurrentColor(chosen);
    }
}

LogFont FontChooserDialog::ChosenRecord() const {
    return LogFontFromFont(CurrentFont(), record_);
}

uint32_t FontChooserDialog::ChosenColor() const {
    return ColorRefFromColor(color_);
}

}  // namespace folix::gui
