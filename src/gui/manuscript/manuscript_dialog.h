#pragma once

#include <QDialog>

#include "count/manuscript_settings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace folix::gui {

// 原稿作成: the grid as a preset (原稿用紙 20×20 ruled, 40×30, 40×34 and 42×34 on A4 landscape)
// or a grid of the writer's own, the paper, its orientation, the writing direction, the rules, the
// title page with its title and author. OK puts the choices back into settings.
class CManuscriptDlg : public QDialog {
    Q_OBJECT
public:
    CManuscriptDlg(const ManuscriptSettings& settings, const GridSize& book_grid,
                   QWidget* parent = nullptr);

    void accept() override;

    ManuscriptSettings settings;

    QComboBox* preset;
    QSpinBox* cells;
    QSpinBox* lines;
    QComboBox* paper;
    QComboBox* orientation;
    QCheckBox* horizontal;
    QCheckBox* ruled;
    QCheckBox* title_page;
    QLineEdit* title;
    QLineEdit* author;

private:
    void ApplyPreset(int index);
};

}  // namespace folix::gui
