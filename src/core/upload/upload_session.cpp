#include "upload/upload_session.h"

#include "book/path_parts.h"
#include "platform/ui.h"
#include "upload/ftp_error_report.h"
#include "upload/ftp_url.h"

namespace folix {

UploadSession::UploadSession(Ui& ui, TreeControl& remote_tree, std::unique_ptr<FtpClient> client)
    : ui_(ui), client_(std::move(client)), tree_(ui, remote_tree) {
    // A server never seen before is trusted only when the writer says so: the window asks, and
    // the command line answers No unless told to answer Yes.
    if (client_ != nullptr) {
        client_->SetHostKeyQuestion([this](const std::string& text) { return ui_.AskYesNo(text); });
    }
}

void UploadSession::LoadSettings(const UploadSettings& settings) {
    server = settings.server;
    user_name = settings.user;
    password = settings.password;
    save_password = settings.save_password;
}

UploadSettings UploadSession::Settings() const {
    return {server, user_name, password, save_password};
}

void UploadSession::AddFile(const std::string& path) {
    const std::string name = FileNamePart(path);
    // A file the build did not write has no name; sending it could only fail.
    if (name.empty()) {
        return;
    }
    files_.push_back(name);
    file_names_ += name + " ";
}

void UploadSession::ReplaceFiles(const std::vector<std::string>& paths) {
    files_.clear();
    file_names_.clear();
    for (const std::string& path : paths) {
        local_directory = ParentPath(path);
        AddFile(path);
    }
}

bool UploadSession::Start() {
    if (client_ == nullptr) {
        ui_.ShowMessage(kNoSessionMessage);
        return false;
    }
    if (!server.empty()) {
        OnConnect();
    } else {
        tree_.Populate(nullptr, {});
    }
    return true;
}

bool UploadSession::OnConnect() {
    if (client_ == nullptr) {
        return false;
    }
    client_->Disconnect();
    const std::optional<FtpUrl> url = ParseFtpUrl(server);
    if (!url) {
        ui_.ShowMessage(kInvalidUrlMessage);
        tree_.Populate(nullptr, {});
        return false;
    }
    bool connected = false;
    {
        auto wait = ui_.BeginWait();
        connected = client_->Connect(url->endpoint, user_name, password);
    }
    if (!connected) {
        ui_.ShowMessage(ConnectFailureText(*client_));
        tree_.Populate(nullptr, {});
        return false;
    }
    tree_.Populate(client_.get(), url->path);
    return true;
}

bool UploadSession::OnSpecifyDirectory() {
    const TreeItem item = tree_.tree().GetSelectedItem();
    if (!tree_.IsDirectoryItem(item)) {
        ui_.ShowMessage(kSelectDirectoryMessage);
        return false;
    }
    const std::string path = tree_.GetRemotePath(item);
    if (path.empty()) {
        ui_.ShowMessage(kSelectDirectoryMessage);
        return false;
    }
    if (path == "/" && !ui_.AskYesNo(kRootDirectoryQuestion)) {
        return false;
    }
    ftp_directory = path;
    return true;
}

bool UploadSession::OnUpload(const UploadProgress& progress) {
    if (!IsConnected()) {
        ui_.ShowMessage(kConnectFirstMessage);
        return false;
    }
    if (ftp_directory.empty()) {
        ui_.ShowMessage(kChooseDirectoryFirstMessage);
        return false;
    }
    for (size_t i = 0; i < files_.size(); ++i) {
        const std::string& name = files_[i];
        if (progress) {
            progress(i, files_.size(), name);
        }
        // With the root folder the remote path starts with two slashes; the client takes the
        // empty step between them as nothing.
        if (!client_->PutFile(JoinPath(local_directory, name), ftp_directory + "/" + name)) {
            ReportFtpError(ui_, *client_);
            return false;
        }
    }
    ui_.ShowMessage(kUploadDoneMessage);
    return true;
}

std::vector<TreeItem> UploadSession::TickedVisibleFiles() const {
    std::vector<TreeItem> ticked;
    const TreeControl& tree = tree_.tree();
    const TreeItem root = tree_.root_item();
    if (root == kNoItem || !tree.IsExpanded(root)) {
        return ticked;
    }
    // Display order, going into open folders only: a file inside a closed folder is out of
    // the writer's sight, and what is not seen is not deleted.
    TreeItem item = tree.GetChildItem(root);
    while (item != kNoItem) {
        if (tree.GetItemImage(item) == kRemoteFileImage && tree.IsItemChecked(item)) {
            ticked.push_back(item);
        }
        if (tree.IsExpanded(item) && tree.GetChildItem(item) != kNoItem) {
            item = tree.GetChildItem(item);
            continue;
        }
        while (item != kNoItem && item != root && tree.GetNextSiblingItem(item) == kNoItem) {
            item = tree.GetParentItem(item);
        }
        item = item == root || item == kNoItem ? kNoItem : tree.GetNextSiblingItem(item);
    }
    return ticked;
}

bool UploadSession::OnDeleteFiles() {
    const std::vector<TreeItem> ticked = TickedVisibleFiles();
    if (ticked.empty()) {
        ui_.ShowMessage(kTickFilesMessage);
        return false;
    }
    if (!ui_.AskYesNo("チェックマークの付いたファイルを削除します。" +
                      std::to_string(ticked.size()) + "個のファイルを削除しますか？")) {
        return false;
    }
    for (TreeItem item : ticked) {
        if (!client_->RemoveFile(tree_.GetRemotePath(item))) {
            ReportFtpError(ui_, *client_);
            return false;
        }
        tree_.tree().DeleteItem(item);
    }
    ui_.ShowMessage(kDeleteDoneMessage);
    return true;
}

bool UploadSession::KeepSettings(Profile& profile, HtmlOptions& options,
                                 const std::string& root_path) {
    SaveUploadSettings(profile, Settings());
    options.ftp_directory = ftp_directory;
    return SaveHtmlOptions(ui_, root_path, options);
}

}  // namespace folix
