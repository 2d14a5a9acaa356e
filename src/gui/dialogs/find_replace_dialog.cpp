#include "gui/dialogs/find_replace_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "platform/editor_control.h"

namespace folix::gui {

CFindReplaceDlg::CFindReplaceDlg(Ui& ui, std::function<EditorControl*()> editor,
                                 std::function<void()> landed, QWidget* parent)
    : QDialog(parent), ui_(ui), editor_(std::move(editor)), landed_(std::move(landed)) {
    setObjectName("findReplace");
    auto* fields = new QGridLayout;
    find_text_ = new QLineEdit(this);
    find_text_->setObjectName("findText");
    auto* find_label = new QLabel("検索する文字列(&N):", this);
    find_label->setBuddy(find_text_);
    replace_text_ = new QLineEdit(this);
    replace_text_->setObjectName("replaceText");
    replace_label_ = new QLabel("置換後の文字列(&P):", this);
    replace_label_->setBuddy(replace_text_);
    fields->addWidget(find_label, 0, 0);
    fields->addWidget(find_text_, 0, 1);
    fields->addWidget(replace_label_, 1, 0);
    fields->addWidget(replace_text_, 1, 1);

    whole_word_ = new QCheckBox("単語単位で探す(&W)", this);
    whole_word_->setObjectName("wholeWord");
    match_case_ = new QCheckBox("大文字と小文字を区別する(&C)", this);
    match_case_->setObjectName("matchCase");
    direction_ = new QGroupBox("検索する方向", this);
    up_ = new QRadioButton("上へ(&U)", direction_);
    up_->setObjectName("up");
    down_ = new QRadioButton("下へ(&D)", direction_);
    down_->setObjectName("down");
    down_->setChecked(true);
    auto* directions = new QHBoxLayout(direction_);
    directions->addWidget(up_);
    directions->addWidget(down_);
    auto* checks = new QVBoxLayout;
    checks->addWidget(whole_word_);
    checks->addWidget(match_case_);
    auto* options = new QHBoxLayout;
    options->addLayout(checks);
    options->addWidget(direction_);
    result_ = new QLabel(this);
    result_->setObjectName("result");

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(options);
    left->addWidget(result_);
    left->addStretch();

    find_next_ = new QPushButton("次を検索(&F)", this);
    find_next_->setObjectName("findNext");
    find_next_->setDefault(true);
    replace_ = new QPushButton("置換して次に(&R)", this);
    replace_->setObjectName("replace");
    replace_all_ = new QPushButton("すべて置換(&A)", this);
    replace_all_->setObjectName("replaceAll");
    auto* cancel = new QPushButton("キャンセル", this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {find_next_, replace_, replace_all_, cancel}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(find_next_, &QPushButton::clicked, this, [this] { FindNext(); });
    connect(replace_, &QPushButton::clicked, this, &CFindReplaceDlg::Replace);
    connect(replace_all_, &QPushButton::clicked, this, &CFindReplaceDlg::ReplaceAll);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    connect(find_text_, &QLineEdit::textChanged, this, &CFindReplaceDlg::UpdateButtons);
    // F3 finds the next one from the dialog as from the editor.
    connect(new QShortcut(QKeySequence(Qt::Key_F3), this), &QShortcut::activated, this,
            [this] { FindNext(); });
}

void CFindReplaceDlg::ShowFind(const QString& text) {
    Show(false, text);
}

void CFindReplaceDlg::ShowReplace(const QString& text) {
    Show(true, text);
}

void CFindReplaceDlg::Show(bool replacing, const QString& text) {
    replacing_ = replacing;
    setWindowTitle(replacing ? "置換" : "検索");
    replace_label_->setVisible(replacing);
    replace_text_->setVisible(replacing);
    replace_->setVisible(replacing);
    replace_all_->setVisible(replacing);
    direction_->setVisible(!replacing);
    if (!text.isEmpty()) {
        find_text_->setText(text);
    }
    result_->clear();
    UpdateButtons();
    adjustSize();
    show();
    raise();
    activateWindow();
    find_text_->setFocus();
    find_text_->selectAll();
}

void CFindReplaceDlg::UpdateButtons() {
    const bool any = !find_text_->text().isEmpty();
    for (QPushButton* button : {find_next_, replace_, replace_all_}) {
        button->setEnabled(any);
    }
}

// The framework's replace always goes down the file.
EditorFindRequest CFindReplaceDlg::Request() const {
    return {find_text_->text().toStdString(), replace_text_->text().toStdString(),
            match_case_->isChecked(), whole_word_->isChecked(),
            !replacing_ && up_->isChecked()};
}

bool CFindReplaceDlg::FindNext() {
    EditorControl* editor = editor_();
    result_->clear();
    if (editor == nullptr || find_text_->text().isEmpty()) {
        return false;
    }
    const bool found = FindInEditor(*editor, ui_, Request());
    if (found) {
        landed_();
    }
    return found;
}

void CFindReplaceDlg::Replace() {
    EditorControl* editor = editor_();
    result_->clear();
    if (editor != nullptr && ReplaceInEditor(*editor, ui_, Request())) {
        landed_();
    }
}

void CFindReplaceDlg::ReplaceAll() {
    EditorControl* editor = editor_();
    result_->clear();
    if (editor == nullptr) {
        return;
    }
    const int count = ReplaceAllInEditor(*editor, ui_, Request());
    if (count > 0) {
        result_->setText(QString("%1件を置換しました。").arg(count));
        landed_();
    }
}

}  // namespace folix::gui
