#include "gui/dialogs/margins_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "editing/font_settings.h"
#include "platform/ui.h"

namespace folix::gui {
namespace {

QLineEdit* MarginField(int id, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString("field%1").arg(id));
    field->setFixedWidth(field->fontMetrics().horizontalAdvance("0000") + 16);
    field->setAlignment(Qt::AlignRight);
    return field;
}

}  // namespace

CMarginsDlg::CMarginsDlg(Ui& ui, QWidget* parent) : QDialog(parent), ui_(ui) {
    setObjectName("dialog163");
    setWindowTitle("印刷余白（ミリ）");
    left = MarginField(1044, this);
    right = MarginField(1045, this);
    top = MarginField(1064, this);
    bottom = MarginField(1065, this);
    auto* ok = new QPushButton("OK", this);
    auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CMarginsDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CMarginsDlg::reject);

    // Two rows as the dialog always had them: left and right, then top and bottom.
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("左", this), 0, 0);
    grid->addWidget(left, 0, 1);
    grid->addWidget(new QLabel("右", this), 0, 2);
    grid->addWidget(right, 0, 3);
    grid->addWidget(ok, 0, 4);
    grid->addWidget(new QLabel("上", this), 1, 0);
    grid->addWidget(top, 1, 1);
    grid->addWidget(new QLabel("下", this), 1, 2);
    grid->addWidget(bottom, 1, 3);
    grid->addWidget(cancel, 1, 4);
    grid->setColumnMinimumWidth(4, 90);
    grid->setHorizontalSpacing(10);
    ShowMembers();
}

void CMarginsDlg::ShowMembers() {
    left->setText(QString::number(left_mm));
    right->setText(QString::number(right_mm));
    top->setText(QString::number(top_mm));
    bottom->setText(QString::number(bottom_mm));
}

void CMarginsDlg::accept() {
    int values[4] = {left_mm, right_mm, top_mm, bottom_mm};
    QLineEdit* fields[4] = {left, right, top, bottom};
    for (int i = 0; i < 4; ++i) {
        const MarginEntry entry = ParseMarginEntry(fields[i]->text().toStdString(), values[i]);
        if (entry == MarginEntry::kValid) {
            continue;
        }
        ui_.ShowMessage(entry == MarginEntry::kNotInteger ? kNotIntegerMessage
                                                          : MarginRangeMessage());
        fields[i]->setFocus();
        fields[i]->selectAll();
        return;
    }
    left_mm = values[0];
    right_mm = values[1];
    top_mm = values[2];
    bottom_mm = values[3];
    QDialog::accept();
}

}  // namespace folix::gui
