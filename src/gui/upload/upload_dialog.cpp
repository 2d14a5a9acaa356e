#include "gui/upload/upload_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "book/path_parts.h"
#include "gui/upload/ftp_tree_ctrl.h"
#include "model/file_system.h"
#include "upload/curl_ftp_client.h"
#include "upload/upload_files.h"
#include "upload/upload_settings.h"

namespace folix::gui {
namespace {

constexpr char kTitle[] = "アップロード";
constexpr char kBrowseFilter[] =
    "HTM Files (*.htm);;GIF Files (*.gif);;JPEG Files (*.jpg);;All Files (*)";

// A client whose library could not be set up is no client: the session then says so at start.
std::unique_ptr<FtpClient> UsableOrNone(std::unique_ptr<CurlFtpClient>& client) {
    if (client == nullptr || !client->IsUsable()) {
        return nullptr;
    }
    return std::move(client);
}

QLineEdit* ReadOnlyField(QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setReadOnly(true);
    return field;
}

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

CUploadDlg::CUploadDlg(Ui& ui, CFileSystem& book, Profile& profile,
                       std::unique_ptr<CurlFtpClient> client, QWidget* parent)
    : QDialog(parent),
      book_(book),
      profile_(profile),
      tree_(new CFtpTreeCtrl(this)),
      client_(client != nullptr && client->IsUsable() ? client.get() : nullptr),
      session_(ui, *tree_, UsableOrNone(client)) {
    setObjectName("upload_dialog");
    setWindowTitle(kTitle);
    setWindowIcon(QApplication::windowIcon());
    setSizeGripEnabled(true);

    local_directory = ReadOnlyField(this);
    file_names = ReadOnlyField(this);
    server = new QLineEdit(this);
    user_name = new QLineEdit(this);
    password = new QLineEdit(this);
    password->setEchoMode(QLineEdit::Password);
    save_password = new QCheckBox("ﾊﾟｽﾜｰﾄﾞ保存", this);
    ftp_directory = ReadOnlyField(this);
    connect_button = new QPushButton("接続", this);
    delete_button = new QPushButton("ﾌｧｲﾙ削除", this);
    directory_button = new QPushButton("ﾃﾞｨﾚｸﾄﾘ指定", this);
    browse_button = new QPushButton("参照", this);
    upload_button = new QPushButton("アップロード", this);
    close_button = new QPushButton("終了", this);
    cancel_button = new QPushButton("キャンセル", this);
    connect_button->setDefault(true);
    upload_progress = new QProgressBar(this);
    upload_progress->setFormat("%v/%m");
    upload_file = new QLabel(this);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel("ディレクトリ名", this), 0, 0);
    fields->addWidget(local_directory, 0, 1, 1, 3);
    fields->addWidget(new QLabel("ファイル名", this), 1, 0);
    fields->addWidget(file_names, 1, 1, 1, 2);
    fields->addWidget(browse_button, 1, 3);
    fields->addWidget(new QLabel("FTP URL or server name", this), 2, 0);
    fields->addWidget(server, 2, 1, 1, 2);
    fields->addWidget(connect_button, 2, 3);
    fields->addWidget(new QLabel("ユーザー名/パスワード", this), 3, 0);
    fields->addWidget(user_name, 3, 1);
    fields->addWidget(password, 3, 2);
    fields->addWidget(save_password, 3, 3);
    fields->addWidget(new QLabel("FTP ディレクトリ名", this), 4, 0);
    fields->addWidget(ftp_directory, 4, 1, 1, 2);
    fields->addWidget(directory_button, 4, 3);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(2, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(delete_button);
    buttons->addStretch(1);
    buttons->addWidget(upload_button);
    buttons->addSpacing(12);
    buttons->addWidget(close_button);
    buttons->addWidget(cancel_button);

    // The tree takes whatever room the window is given.
    auto* lower = new QHBoxLayout;
    lower->addWidget(tree_, 1);
    lower->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(lower, 1);
    auto* progress = new QHBoxLayout;
    progress->addWidget(upload_progress, 1);
    progress->addWidget(upload_file, 1);
    layout->addLayout(progress);
    ShowProgress(false);
    tree_->setMinimumSize(360, 200);

    connect(connect_button, &QPushButton::clicked, this, &CUploadDlg::OnConnect);
    connect(delete_button, &QPushButton::clicked, this, &CUploadDlg::OnDeleteFiles);
    connect(directory_button, &QPushButton::clicked, this, &CUploadDlg::OnSpecifyDirectory);
    connect(browse_button, &QPushButton::clicked, this, &CUploadDlg::OnBrowse);
    connect(upload_button, &QPushButton::clicked, this, &CUploadDlg::OnUpload);
    connect(close_button, &QPushButton::clicked, this, &CUploadDlg::accept);
    connect(cancel_button, &QPushButton::clicked, this, &CUploadDlg::reject);

    if (client_ != nullptr) {
        client_->SetProgressHandler([this] { KeepPainted(); });
    }

    session_.LoadSettings(LoadUploadSettings(profile_));
    session_.ftp_directory = book_.GetHtmlOptions().ftp_directory;
    session_.local_directory = ParentPath(book_.TopPagePath());
    for (const std::string& path : UploadFileList(book_.SitePaths(), book_.GetHtmlOptions())) {
        session_.AddFile(path);
    }
    UpdateData(false);
}

CUploadDlg::~CUploadDlg() {
    // Transfers still reporting progress must not reach a window that is going.
    if (client_ != nullptr) {
        client_->SetProgressHandler({});
    }
}

void CUploadDlg::UpdateData(bool save_and_validate) {
    if (save_and_validate) {
        session_.server = server->text().toStdString();
        session_.user_name = user_name->text().toStdString();
        session_.password = password->text().toStdString();
        session_.save_password = save_password->isChecked();
        return;
    }
    local_directory->setText(FromUtf8(session_.local_directory));
    file_names->setText(FromUtf8(session_.file_name_display()));
    server->setText(FromUtf8(session_.server));
    user_name->setText(FromUtf8(session_.user_name));
    password->setText(FromUtf8(session_.password));
    save_password->setChecked(session_.save_password);
    ftp_directory->setText(FromUtf8(session_.ftp_directory));
}

bool CUploadDlg::Start() {
    const bool started = session_.Start();
    AfterPopulate();
    return started;
}

int CUploadDlg::Run() {
    if (!session_.server.empty()) {
        // The writer sees the window, in the middle of the screen, while it connects at once.
        adjustSize();
        if (QScreen* shown_on = screen()) {
            move(shown_on->availableGeometry().center() - rect().center());
        }
        show();
        KeepPainted();
    }
    if (!Start()) {
        return QDialog::Rejected;
    }
    return exec();
}

void CUploadDlg::AfterPopulate() {
    tree_->SetLinesAtRoot(session_.remote_tree().lines_at_root());
}

void CUploadDlg::KeepPainted() {
    ++busy_;
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    --busy_;
}

void CUploadDlg::OnConnect() {
    UpdateData(true);
    session_.OnConnect();
    AfterPopulate();
}

void CUploadDlg::OnSpecifyDirectory() {
    // Typed fields are taken first, so that showing the new folder does not undo them.
    UpdateData(true);
    if (session_.OnSpecifyDirectory()) {
        UpdateData(false);
    }
}

void CUploadDlg::OnBrowse() {
    const QStringList picked = QFileDialog::getOpenFileNames(
        this, QString(), FromUtf8(session_.local_directory), kBrowseFilter);
    if (picked.isEmpty()) {
        return;  // cancelled: the list stays
    }
    std::vector<std::string> paths;
    for (const QString& path : picked) {
        paths.push_back(path.toStdString());
    }
    TakeBrowsedFiles(paths);
}

void CUploadDlg::TakeBrowsedFiles(const std::vector<std::string>& paths) {
    UpdateData(true);
    session_.ReplaceFiles(paths);
    UpdateData(false);
}

void CUploadDlg::ShowProgress(bool shown) {
    upload_progress->setVisible(shown);
    upload_file->setVisible(shown);
}

void CUploadDlg::OnUpload() {
    UpdateData(true);
    session_.OnUpload([this](size_t index, size_t count, const std::string& name) {
        upload_file->setText(FromUtf8(name));
        upload_progress->setRange(0, static_cast<int>(count));
        upload_progress->setValue(static_cast<int>(index + 1));
        ShowProgress(true);
        KeepPainted();
    });
    // The session has said how it went, with the last file it reached.
    ShowProgress(false);
}

void CUploadDlg::OnDeleteFiles() {
    session_.OnDeleteFiles();
}

void CUploadDlg::accept() {
    if (busy_ > 0) {
        return;
    }
    UpdateData(true);
    session_.KeepSettings(profile_, book_.GetHtmlOptions(), book_.Tree().GetRootPath());
    QDialog::accept();
}

void CUploadDlg::reject() {
    if (busy_ > 0) {
        return;
    }
    QDialog::reject();
}

void CUploadDlg::closeEvent(QCloseEvent* event) {
    // A close asked for while a transfer paints the window would pull the session from under it.
    if (busy_ > 0) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace folix::gui
