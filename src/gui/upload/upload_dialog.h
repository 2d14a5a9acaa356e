#pragma once

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

#include "upload/upload_session.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace folix {
class CFileSystem;
class CurlFtpClient;
class Profile;
class Ui;
}  // namespace folix

namespace folix::gui {

class CFtpTreeCtrl;

// The upload dialog: the server and the login, the files to send and the folder they come from,
// the server's tree, and the buttons. The upload itself is the core's UploadSession; the dialog
// binds its fields to the session's and keeps the window painted while files go. It keeps the
// settings (profile and the book's FTP folder) only when it ends with "終了".
class CUploadDlg : public QDialog {
    Q_OBJECT
public:
    // Loads the settings from the profile, the FTP folder from the book's HTML options, and the
    // files of the book's last HTML build. The client is the dialog's one connection.
    CUploadDlg(Ui& ui, CFileSystem& book, Profile& profile, std::unique_ptr<CurlFtpClient> client,
               QWidget* parent = nullptr);
    ~CUploadDlg() override;

    // The start of the dialog: connects at once when a server is filled in. False when the
    // network library could not be set up; the dialog is to close then.
    bool Start();
    // Start, then the dialog modally; the dialog's result.
    int Run();

    // The files picked with "参照" replace the list; the local folder becomes theirs.
    void TakeBrowsedFiles(const std::vector<std::string>& paths);

    // Between the fields and the session: true takes the fields into the session, false shows
    // the session in the fields.
    void UpdateData(bool save_and_validate);

    UploadSession& Session() { return session_; }
    CFtpTreeCtrl& RemoteTreeCtrl() { return *tree_; }

    QLineEdit* local_directory;
    QLineEdit* file_names;
    QLineEdit* server;
    QLineEdit* user_name;
    QLineEdit* password;
    QCheckBox* save_password;
    QLineEdit* ftp_directory;
    QPushButton* connect_button;
    QPushButton* delete_button;
    QPushButton* directory_button;
    QPushButton* browse_button;
    QPushButton* upload_button;
    QPushButton* close_button;
    QPushButton* cancel_button;
    // While files are sent: which of how many, and its name.
    QProgressBar* upload_progress;
    QLabel* upload_file;

public slots:
    void OnConnect();
    void OnSpecifyDirectory();
    void OnBrowse();
    void OnUpload();
    void OnDeleteFiles();
    // "終了": the settings are kept.
    void accept() override;
    // "キャンセル" and Escape: nothing is kept.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // After every fill of the tree: its lines at the root follow what the server's root holds.
    void AfterPopulate();
    void ShowProgress(bool shown);
    // Keeps the window painted while a transfer blocks the event loop; the writer's clicks and
    // keys wait.
    void KeepPainted();

    CFileSystem& book_;
    Profile& profile_;
    CFtpTreeCtrl* tree_;
    CurlFtpClient* client_ = nullptr;
    UploadSession session_;
    // A handler of ours is running: the window must not close under it.
    int busy_ = 0;
};

}  // namespace folix::gui
