#pragma once

#include <functional>
#include <string>
#include <vector>

namespace folix {

// One name of a remote directory listing.
struct FtpEntry {
    std::string name;
    bool is_directory = false;
};

// The ways we reach a server: plain FTP, FTP with explicit TLS, and SSH file transfer.
enum class FtpProtocol { kFtp, kFtps, kSftp };

// A server to connect to, as the writer's server text named it.
struct FtpEndpoint {
    FtpProtocol protocol = FtpProtocol::kFtp;
    std::string host;
    int port = 0;  // 0: the protocol's default port
};

// Error numbers of a failed FTP operation. The upload tells two of them apart (the server's
// refusal and a dropped connection) and keeps the numbers they have always had, so notes and
// reports from writers keep their meaning; the others are shown with the system's text.
namespace ftp_error {
inline constexpr int kNone = 0;
inline constexpr int kTimeout = 12002;
inline constexpr int kServerReply = 12003;
inline constexpr int kNameNotResolved = 12007;
inline constexpr int kNotConnected = 12013;
inline constexpr int kCannotConnect = 12029;
inline constexpr int kConnectionReset = 12031;
inline constexpr int kLocalFile = 12100;
inline constexpr int kOther = 12101;
inline constexpr int kListingTooLong = 12102;  // given up, not kept in memory
}  // namespace ftp_error

// The connection to the writer's server that the upload keeps for as long as it runs. Remote
// paths are absolute ("/www/index.htm"); empty steps ("//index.htm") are ignored. No call
// throws: a false result leaves the reason in the Last… values until the next call.
class FtpClient {
public:
    virtual ~FtpClient() = default;

    // Connects and logs in with the user name and password exactly as typed.
    virtual bool Connect(const FtpEndpoint& endpoint, const std::string& user,
                         const std::string& password) = 0;
    virtual void Disconnect() = 0;
    // True from a successful Connect to Disconnect, also after the server dropped the line:
    // the next call then connects and logs in again.
    virtual bool IsConnected() const = 0;

    // The names in the directory, in the server's order, without "." and "..".
    virtual bool ListDirectory(const std::string& path, std::vector<FtpEntry>& entries) = 0;
    // Sends the local file byte for byte (binary), replacing a remote file of that name.
    virtual bool PutFile(const std::string& local_path, const std::string& remote_path) = 0;
    virtual bool RemoveFile(const std::string& remote_path) = 0;

    // Asked, with a text naming the server, before a server is trusted whose host key this
    // computer has not seen yet (SSH); a No refuses the connection. Without a question set, such
    // a server is refused.
    using HostKeyQuestion = std::function<bool(const std::string& text)>;
    virtual void SetHostKeyQuestion(HostKeyQuestion question) { (void)question; }

    // One of ftp_error; kNone after a call that succeeded.
    virtual int LastErrorCode() const = 0;
    // The server's last reply, as it sent it (code and text); empty when it sent none.
    virtual std::string LastResponseText() const = 0;
    // The system's error number behind the failure; 0 when there is none.
    virtual int LastSystemError() const = 0;
    // A description of the failure for when there is no system error number.
    virtual std::string LastErrorText() const = 0;
};

}  // namespace folix
