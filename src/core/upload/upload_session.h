#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ftp_client.h"
#include "site/html_options.h"
#include "upload/remote_tree.h"
#include "upload/upload_settings.h"

namespace folix {

class Profile;
class Ui;

inline constexpr char kNoSessionMessage[] =
    "Cannot open an Internet Session.  Please check your internet configuration.";
inline constexpr char kInvalidUrlMessage[] = "Please enter a valid FTP URL";
inline constexpr char kConnectFirstMessage[] = "接続してください。";
inline constexpr char kChooseDirectoryFirstMessage[] = "ディレクトリを指定してください。";
inline constexpr char kSelectDirectoryMessage[] =
    "ディレクトリを選択してこのボタンを押してください。";
inline constexpr char kRootDirectoryQuestion[] = "ルートディレクトリへアップロードするのですか？";
inline constexpr char kUploadDoneMessage[] = "アップロードが完了しました。";
inline constexpr char kTickFilesMessage[] = "削除するファイルにチェックマークを付けてください。";
inline constexpr char kDeleteDoneMessage[] = "ファイルの削除が完了しました。";

// Called before each file is sent: its position (from 0), the number of files, its name.
using UploadProgress = std::function<void(size_t index, size_t count, const std::string& name)>;

// The upload dialog below its window: the fields it shows, the connection it keeps for its
// whole life, the remote tree, and what its buttons do. The window binds its controls to the
// fields and calls the handlers; the command line drives the same object.
class UploadSession {
public:
    // The client is the dialog's one connection; none means the network library could not be
    // set up (Start then says so).
    UploadSession(Ui& ui, TreeControl& remote_tree, std::unique_ptr<FtpClient> client);
    UploadSession(const UploadSession&) = delete;
    UploadSession& operator=(const UploadSession&) = delete;

    // The fields from the profile (server, user, password and its check box).
    void LoadSettings(const UploadSettings& settings);
    UploadSettings Settings() const;

    // Appends the file name of path to the list and the display; an empty path is skipped.
    void AddFile(const std::string& path);
    // The files the writer picked instead: the list is replaced and the local folder becomes
    // the folder of the files.
    void ReplaceFiles(const std::vector<std::string>& paths);

    // The start of the dialog: connects at once when a server is filled in, otherwise shows the
    // not-connected notice. False when there is no client: the dialog closes.
    bool Start();
    // The connect button: drops the connection, reads the server field, connects and fills the
    // tree. False (after the message) when no connection came of it.
    bool OnConnect();
    // The directory button: the selected remote folder becomes the upload folder.
    bool OnSpecifyDirectory();
    // The upload button: sends every file of the list, in order, stopping at the first failure.
    bool OnUpload(const UploadProgress& progress = {});
    // The delete button: removes the ticked files among the tree's visible items.
    bool OnDeleteFiles();

    // The dialog ended with "終了": the settings go to the profile, the upload folder to the
    // book's HTML options, which are saved.
    bool KeepSettings(Profile& profile, HtmlOptions& options, const std::string& root_path);

    bool IsConnected() const { return client_ != nullptr && client_->IsConnected(); }
    RemoteTree& remote_tree() { return tree_; }
    FtpClient* client() const { return client_.get(); }
    const std::vector<std::string>& files() const { return files_; }
    // The names to send, each followed by one space, as the file-name field shows them.
    const std::string& file_name_display() const { return file_names_; }

    std::string server;
    std::string user_name;
    std::string password;
    bool save_password = false;
    std::string ftp_directory;
    std::string local_directory;

private:
    std::vector<TreeItem> TickedVisibleFiles() const;

    Ui& ui_;
    std::unique_ptr<FtpClient> client_;
    RemoteTree tree_;
    std::vector<std::string> files_;
    std::string file_names_;
};

}  // namespace folix
