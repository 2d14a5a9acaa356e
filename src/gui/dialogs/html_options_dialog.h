#pragma once

#include <QDialog>

#include "notation/notation_options.h"
#include "site/html_options.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace folix::gui {

// The HTML options: the main file's name, the contents and frames, the update-date line, and
// how the site shows the notation.
class CHtmlOptionsDlg : public QDialog {
    Q_OBJECT
public:
    CHtmlOptionsDlg(const HtmlOptions& options, const NotationOptions& notation,
                    QWidget* parent = nullptr);

    // The file name as entered; the caller checks and stores it.
    QString FileNameEntry() const;
    // Every other setting, as the boxes show them.
    void StoreSwitches(HtmlOptions& options) const;
    void StoreNotation(NotationOptions& notation) const;

    QLineEdit* file_name;
    QLineEdit* date_before;
    QLineEdit* date_after;
    QCheckBox* contents_of_contents;
    QCheckBox* frame;
    QCheckBox* top_bottom;
    QCheckBox* indent_contents;
    QCheckBox* level1_heading;
    QCheckBox* vertical;
    QCheckBox* show_date;
    QCheckBox* japanese_date;
    QCheckBox* date_right;
    QCheckBox* notation;
    QComboBox* upright_digits;  // item i sets runs of i + 2 digits upright
};

}  // namespace folix::gui
