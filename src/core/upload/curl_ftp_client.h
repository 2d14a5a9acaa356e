#pragma once

#include <functional>
#include <string>

#include "platform/ftp_client.h"

typedef void CURL;

namespace folix {

// How long the client waits before it gives up, so that a dead server never holds the window.
struct FtpTimeouts {
    long connect_ms = 30000;   // to reach the server and log in
    long accept_ms = 30000;    // for the server to open an active-mode data connection
    long response_ms = 60000;  // for any reply to a command
    long stall_seconds = 60;   // a transfer that moves no byte for this long is given up
};

// The FTP client of the upload, over libcurl: one easy handle, whose connection libcurl keeps
// open from one call to the next. Plain FTP runs in passive mode (EPSV, then PASV) and turns to
// active mode for a server that refuses both; ftps is FTP with explicit TLS (AUTH TLS on the
// usual port), always passive; sftp is SSH file transfer. Transfers are binary.
class CurlFtpClient : public FtpClient {
public:
    explicit CurlFtpClient(FtpTimeouts timeouts = {});
    ~CurlFtpClient() override;
    CurlFtpClient(const CurlFtpClient&) = delete;
    CurlFtpClient& operator=(const CurlFtpClient&) = delete;

    // False when libcurl could not give a handle: no call can succeed then.
    bool IsUsable() const { return handle_ != nullptr; }
    // Called now and then while a transfer runs, so a window can keep itself painted.
    void SetProgressHandler(std::function<void()> handler) { progress_ = std::move(handler); }

    bool Connect(const FtpEndpoint& endpoint, const std::string& user,
                 const std::string& password) override;
    void Disconnect() override;
    bool IsConnected() const override { return connected_; }

    bool ListDirectory(const std::string& path, std::vector<FtpEntry>& entries) override;
    bool PutFile(const std::string& local_path, const std::string& remote_path) override;
    bool RemoveFile(const std::string& remote_path) override;

    void SetHostKeyQuestion(HostKeyQuestion question) override {
        host_key_question_ = std::move(question);
    }

    int LastErrorCode() const override { return error_code_; }
    std::string LastResponseText() const override { return last_reply_; }
    int LastSystemError() const override { return system_error_; }
    std::string LastErrorText() const override { return error_text_; }

private:
    // Sets up the handle for one call on the URL of a remote path (a folder when it ends in "/").
    void Prepare(const std::string& remote_path, bool directory);
    // Runs the call, again in active mode when the server refuses passive mode; on failure
    // sorts out why.
    bool Perform();
    bool ListWith(const char* command, const std::string& path, std::string& text);
    void Fail(int code, int system_error, const std::string& text);
    void ClearError();
    std::string UrlOf(const std::string& remote_path, bool directory) const;

    // libcurl's callbacks, which reach into the client.
    friend struct CurlCallbacks;

    CURL* handle_ = nullptr;
    FtpTimeouts timeouts_;
    FtpEndpoint endpoint_;
    std::string user_;
    std::string password_;
    bool connected_ = false;
    // Servers that refused MLSD once are listed with LIST from then on.
    bool machine_listing_refused_ = false;
    // Servers that refused passive mode once get active mode from then on.
    bool passive_mode_refused_ = false;
    std::function<void()> progress_;
    HostKeyQuestion host_key_question_;

    std::string* listing_ = nullptr;
    bool listing_too_long_ = false;
    std::string reply_;       // the reply being received, line by line
    std::string last_reply_;  // the last complete reply
    char error_buffer_[256] = {};
    int error_code_ = ftp_error::kNone;
    int system_error_ = 0;
    std::string error_text_;
};

}  // namespace folix
