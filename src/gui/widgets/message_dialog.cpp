#include "gui/widgets/message_dialog.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace folix::gui {

CMessageDlg::CMessageDlg(const QString& message, QWidget* parent) : QDialog(parent) {
    setWindowTitle("folix");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    auto* text = new QPlainTextEdit(message, this);
    text->setObjectName("message");
    text->setReadOnly(true);
    text->setFrameShape(QFrame::NoFrame);
    text->setMinimumSize(360, 80);
    auto* ok = new QPushButton("了解", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

CMessageDlg* CMessageDlg::Show(const QString& message, QWidget* parent) {
    auto* dialog = new CMessageDlg(message, parent);
    dialog->adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        dialog->move(area.center() - dialog->rect().center());
    }
    dialog->show();
    return dialog;
}

}  // namespace folix::gui
