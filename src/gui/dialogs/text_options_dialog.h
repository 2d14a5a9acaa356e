#pragma once

#include <QDialog>

#include "book/book_options.h"
#include "notation/notation_options.h"

class QCheckBox;
class QLineEdit;

namespace folix::gui {

// The TEXT options: the file's extension, the string before every title, whether the book
// may be written as TEXT at all, and whether the notation is written or only its base text.
class CTextOptionsDlg : public QDialog {
    Q_OBJECT
public:
    CTextOptionsDlg(const BookOptions& options, const NotationOptions& notation,
                    QWidget* parent = nullptr);

    void StoreNotation(NotationOptions& notation) const;

    QLineEdit* extension;
    QLineEdit* head_prefix;
    QCheckBox* allow;
    QCheckBox* base_text;
};

}  // namespace folix::gui
