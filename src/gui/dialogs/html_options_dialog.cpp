#include "gui/dialogs/html_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/widgets/dialog_buttons.h"

namespace folix::gui {
namespace {

QCheckBox* Check(const char* text, bool on, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromUtf8(text), parent);
    box->setChecked(on);
    return box;
}

}  // namespace

CHtmlOptionsDlg::CHtmlOptionsDlg(const HtmlOptions& options,
                                 const NotationOptions& notation_options, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("HTMLオプション");
    auto* name_group = new QGroupBox("HTMLファイル名", this);
    file_name = new QLineEdit(QString::fromStdString(options.html_file_name), name_group);
    (new QVBoxLayout(name_group))->addWidget(file_name);

    auto* contents_group = new QGroupBox("目次とフレームの表示", this);
    contents_of_contents = Check("目次の目次を作る", options.contents_of_contents, contents_group);
    frame = Check("目次をフレームに入れる", options.frame, contents_group);
    top_bottom = Check("トップ/ボトムフレームを表示する", options.top_bottom, contents_group);
    indent_contents = Check("目次をインデントする", options.indent_contents, contents_group);
    level1_heading = Check("レベル１を見出しにする", options.m_bLevel1Heading, contents_group);
    vertical = Check("縦書で表示する", options.m_bVertical, contents_group);
    auto* contents_layout = new QGridLayout(contents_group);
    contents_layout->addWidget(contents_of_contents, 0, 0);
    contents_layout->addWidget(frame, 1, 0);
    contents_layout->addWidget(top_bottom, 2, 0);
    contents_layout->addWidget(indent_contents, 0, 1);
    contents_layout->addWidget(level1_heading, 1, 1);
    contents_layout->addWidget(vertical, 2, 1);

    auto* date_group = new QGroupBox("更新日の表示", this);
    show_date = Check("更新日を表示する", options.show_date, date_group);
    japanese_date = Check("和式表記", options.japanese_date, date_group);
    date_right = Check("右端に表示", options.date_right, date_group);
    date_before = new QLineEdit(QString::fromStdString(options.date_before), date_group);
    date_after = new QLineEdit(QString::fromStdString(options.date_after), date_group);
    auto* date_layout = new QGridLayout(date_group);
    date_layout->addWidget(show_date, 0, 0);
    date_layout->addWidget(japanese_date, 0, 1);
    date_layout->addWidget(date_right, 0, 2);
    date_layout->addWidget(new QLabel("前後の見出し", date_group), 1, 0);
    date_layout->addWidget(date_before, 1, 1);
    date_layout->addWidget(date_after, 1, 2);

    auto* notation_group = new QGroupBox("ルビ・傍点・縦中横", this);
    notation =
        Check("ルビと傍点の記法をHTMLで表示する", notation_options.html_notation, notation_group);
    upright_digits = new QComboBox(notation_group);
    for (int digits = NotationOptions::kMinUprightDigits;
         digits <= NotationOptions::kMaxUprightDigits; ++digits) {
        upright_digits->addItem(QString("%1桁まで").arg(digits));
    }
    upright_digits->setCurrentIndex(notation_options.upright_digits -
                                    NotationOptions::kMinUprightDigits);
    auto* notation_layout = new QGridLayout(notation_group);
    notation_layout->addWidget(notation, 0, 0, 1, 2);
    notation_layout->addWidget(new QLabel("縦書で縦中横にする数字", notation_group), 1, 0);
    notation_layout->addWidget(upright_digits, 1, 1);

    QDialogButtonBox* buttons = MakeOkCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name_group);
    layout->addWidget(contents_group);
    layout->addWidget(date_group);
    layout->addWidget(notation_group);
    layout->addWidget(buttons);
}

QString CHtmlOptionsDlg::FileNameEntry() const {
    return file_name->text();
}

void CHtmlOptionsDlg::StoreSwitches(HtmlOptions& options) const {
    options.date_before = date_before->text().toStdString();
    options.date_after = date_after->text().toStdString();
    options.contents_of_contents = contents_of_contents->isChecked();
    options.frame = frame->isChecked();
    options.top_bottom = top_bottom->isChecked();
    options.indent_contents = indent_contents->isChecked();
    options.m_bLevel1Heading = level1_heading->isChecked();
    options.m_bVertical = vertical->isChecked();
    options.show_date = show_date->isChecked();
    options.japanese_date = japanese_date->isChecked();
    options.date_right = date_right->isChecked();
}

void CHtmlOptionsDlg::StoreNotation(NotationOptions& notation_options) const {
    notation_options.html_notation = notation->isChecked();
    notation_options.upright_digits =
        upright_digits->currentIndex() + NotationOptions::kMinUprightDigits;
}

}  // namespace folix::gui
