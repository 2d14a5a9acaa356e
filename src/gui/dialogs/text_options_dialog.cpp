#include "gui/dialogs/text_options_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/widgets/dialog_buttons.h"

namespace folix::gui {

CTextOptionsDlg::CTextOptionsDlg(const BookOptions& options, const NotationOptions& notation,
                                 QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("TEXTオプション");
    extension = new QLineEdit(QString::fromStdString(options.m_strTextExt), this);
    head_prefix = new QLineEdit(QString::fromStdString(options.m_strHeadPrefix), this);
    allow = new QCheckBox("テキスト作成を許可", this);
    allow->setChecked(options.m_bAllowText);
    base_text = new QCheckBox("ルビと傍点の記法を外して親文字だけを書く", this);
    base_text->setChecked(notation.text_notation == TextNotation::kBase);
    auto* form = new QFormLayout;
    form->addRow("テキストファイルのファイル名拡張子", extension);
    form->addRow("見出しの前に付ける文字列", head_prefix);
    form->addRow(allow);
    form->addRow(base_text);
    QDialogButtonBox* buttons = MakeOkCancelButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CTextOptionsDlg::StoreNotation(NotationOptions& notation) const {
    notation.text_notation = base_text->isChecked() ? TextNotation::kBase : TextNotation::kKeep;
}

}  // namespace folix::gui
