#include "upload/curl_ftp_client.h"

#include <curl/curl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "book/path_parts.h"
#include "upload/directory_listing.h"

namespace folix {
namespace {

// libcurl sets itself up once for the whole program, before the first handle.
CURL* NewHandle() {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return initialised ? curl_easy_init() : nullptr;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

struct SlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

std::string AbsolutePath(const std::string& path) {
    std::string absolute;
    for (const std::string& step : PathNames(path)) {
        absolute += "/" + step;
    }
    return absolute.empty() ? "/" : absolute;
}

// The number a server reply begins with; 0 when there is none.
int ReplyCode(const std::string& reply) {
    if (reply.size() < 3) {
        return 0;
    }
    int code = 0;
    for (int i = 0; i < 3; ++i) {
        if (reply[i] < '0' || reply[i] > '9') {
            return 0;
        }
        code = code * 10 + (reply[i] - '0');
    }
    return code;
}

// A listing beyond this is no folder a writer uploads to but a server that never stops sending:
// it is given up rather than kept in memory. About a hundred thousand names.
constexpr size_t kMaxListingBytes = 8 * 1024 * 1024;
constexpr char kListingTooLongMessage[] = "の一覧が長すぎるため、読むのをやめました。";
// A reply of more lines than any server sends is kept only up to here.
constexpr size_t kMaxReplyBytes = 64 * 1024;

// The replies that say the server does not know a command, rather than that it failed.
bool IsUnknownCommand(int code) {
    return code == 500 || code == 501 || code == 502 || code == 504;
}

// EPSV and then PASV answered with a refusal. (To a server reached over IPv6 libcurl cannot
// fall back to PASV and reports the refused EPSV as a strange reply.)
bool IsPassiveModeRefusal(CURLcode result, const std::string& last_reply) {
    return (result == CURLE_FTP_WEIRD_PASV_REPLY || result == CURLE_WEIRD_SERVER_REPLY) &&
           ReplyCode(last_reply) >= 400;
}

void UseActiveMode(CURL* handle) {
    // The server connects back to the address of our control connection.
    curl_easy_setopt(handle, CURLOPT_FTPPORT, "-");
}

// Where the keys of the SSH servers this user trusts are kept, as ssh keeps them: under the home
// folder, found from the user's account when HOME is not set. Empty when there is none.
std::string KnownHostsPath() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* account = ::getpwuid(::getuid());
        home = account != nullptr ? account->pw_dir : nullptr;
    }
    if (home == nullptr || *home == '\0') {
        return {};
    }
    const std::string ssh_folder = std::string(home) + "/.ssh";
    ::mkdir(ssh_folder.c_str(), 0700);
    return ssh_folder + "/known_hosts";
}

constexpr char kNewHostKeyQuestion[] =
    "は初めて接続するサーバーです。このサーバーのホスト鍵を信頼して登録しますか？";
constexpr char kNoKnownHostsMessage[] =
    "ホスト鍵を確かめる場所(ホームフォルダ)がないため、SFTPで接続できません。";

}  // namespace

struct CurlCallbacks {
    static size_t OnReplyLine(char* data, size_t size, size_t count, void* self);
    static size_t OnListingData(char* data, size_t size, size_t count, void* self);
    static int OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);
    static int OnHostKey(CURL*, const curl_khkey*, const curl_khkey*, curl_khmatch match,
                         void* self);
};

CurlFtpClient::CurlFtpClient(FtpTimeouts timeouts) : handle_(NewHandle()), timeouts_(timeouts) {}

CurlFtpClient::~CurlFtpClient() {
    Disconnect();
    if (handle_ != nullptr) {
        curl_easy_cleanup(handle_);
    }
}

void CurlFtpClient::ClearError() {
    error_code_ = ftp_error::kNone;
    system_error_ = 0;
    error_text_.clear();
}

void CurlFtpClient::Fail(int code, int system_error, const std::string& text) {
    error_code_ = code;
    system_error_ = system_error;
    error_text_ = text;
}

bool CurlFtpClient::Connect(const FtpEndpoint& endpoint, const std::string& user,
                            const std::string& password) {
    Disconnect();
    if (handle_ == nullptr) {
        Fail(ftp_error::kOther, 0, "libcurl is not available");
        return false;
    }
    endpoint_ = endpoint;
    user_ = user;
    password_ = password;
    machine_listing_refused_ = false;
    passive_mode_refused_ = false;
    // Without a known-hosts file no server's key could be checked at all.
    if (endpoint.protocol == FtpProtocol::kSftp && KnownHostsPath().empty()) {
        Fail(ftp_error::kOther, 0, kNoKnownHostsMessage);
        return false;
    }
    // Logging in and going to the root folder, without a transfer, proves the server takes us.
    Prepare("/", true);
    curl_easy_setopt(handle_, CURLOPT_NOBODY, 1L);
    connected_ = Perform();
    return connected_;
}

void CurlFtpClient::Disconnect() {
    if (connected_ && handle_ != nullptr) {
        // A fresh handle is the only way to make libcurl close the connection it keeps.
        curl_easy_cleanup(handle_);
        handle_ = NewHandle();
    }
    connected_ = false;
    password_.assign(password_.size(), '\0');
    password_.clear();
}

std::string CurlFtpClient::UrlOf(const std::string& remote_path, bool directory) const {
    std::string host = endpoint_.host;
    if (host.find(':') != std::string::npos && host.front() != '[') {
        host = "[" + host + "]";
    }
    std::string url = endpoint_.protocol == FtpProtocol::kSftp ? "sftp://" : "ftp://";
    url += host;
    if (endpoint_.port != 0) {
        url += ":" + std::to_string(endpoint_.port);
    }
    // In an ftp URL the path is relative to the folder the login lands in; "%2F" first makes it
    // start at the server's root, which is where our remote paths start.
    url += endpoint_.protocol == FtpProtocol::kSftp ? "/" : "/%2F/";
    std::vector<std::string> steps = PathNames(remote_path);
    for (size_t i = 0; i < steps.size(); ++i) {
        char* escaped =
            curl_easy_escape(handle_, steps[i].data(), static_cast<int>(steps[i].size()));
        url += escaped != nullptr ? escaped : "";
        curl_free(escaped);
        if (i + 1 < steps.size() || directory) {
            url += "/";
        }
    }
    return url;
}

void CurlFtpClient::Prepare(const std::string& remote_path, bool directory) {
    // Resetting the options keeps the open connection.
    curl_easy_reset(handle_);
    const std::string url = UrlOf(remote_path, directory);
    curl_easy_setopt(handle_, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle_, CURLOPT_PROTOCOLS_STR, "ftp,sftp");
    if (!user_.empty() || !password_.empty()) {
        curl_easy_setopt(handle_, CURLOPT_USERNAME, user_.c_str());
        curl_easy_setopt(handle_, CURLOPT_PASSWORD, password_.c_str());
    }
    curl_easy_setopt(handle_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle_, CURLOPT_ERRORBUFFER, error_buffer_);
    curl_easy_setopt(handle_, CURLOPT_CONNECTTIMEOUT_MS, timeouts_.connect_ms);
    curl_easy_setopt(handle_, CURLOPT_ACCEPTTIMEOUT_MS, timeouts_.accept_ms);
    curl_easy_setopt(handle_, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                     (timeouts_.response_ms + 999) / 1000);
    curl_easy_setopt(handle_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle_, CURLOPT_LOW_SPEED_TIME, timeouts_.stall_seconds);
    curl_easy_setopt(handle_, CURLOPT_HEADERFUNCTION, &CurlCallbacks::OnReplyLine);
    curl_easy_setopt(handle_, CURLOPT_HEADERDATA, this);
    if (progress_) {
        curl_easy_setopt(handle_, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(handle_, CURLOPT_XFERINFOFUNCTION, &CurlCallbacks::OnProgress);
        curl_easy_setopt(handle_, CURLOPT_XFERINFODATA, this);
    }
    switch (endpoint_.protocol) {
        case FtpProtocol::kFtp:
            // Passive mode first: the data connection goes out from here like the control
            // connection, so a home router or a firewall in front of the writer lets it through.
            if (passive_mode_refused_) {
                UseActiveMode(handle_);
            }
            break;
        case FtpProtocol::kFtps:
            // Explicit TLS on the ordinary port. libcurl's own "ftps" scheme would be implicit
            // TLS on port 990, which few hosts still offer. Passive mode, since a firewall
            // cannot read the PORT command inside TLS.
            curl_easy_setopt(handle_, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
            break;
        case FtpProtocol::kSftp: {
            curl_easy_setopt(handle_, CURLOPT_SSH_AUTH_TYPES,
                             static_cast<long>(CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD));
            // Connect refuses SFTP when there is no place for the keys.
            const std::string known_hosts = KnownHostsPath();
            curl_easy_setopt(handle_, CURLOPT_SSH_KNOWNHOSTS, known_hosts.c_str());
            curl_easy_setopt(handle_, CURLOPT_SSH_KEYFUNCTION, &CurlCallbacks::OnHostKey);
            curl_easy_setopt(handle_, CURLOPT_SSH_KEYDATA, this);
            break;
        }
    }
}

bool CurlFtpClient::Perform() {
    CURLcode result = CURLE_OK;
    for (bool again = true; again;) {
        reply_.clear();
        last_reply_.clear();
        error_buffer_[0] = '\0';
        result = curl_easy_perform(handle_);
        // A server that only speaks active mode: no data has moved yet, so the same call is
        // simply made again in active mode, and so is every later one on this connection.
        again = endpoint_.protocol == FtpProtocol::kFtp && !passive_mode_refused_ &&
                IsPassiveModeRefusal(result, last_reply_);
        if (again) {
            passive_mode_refused_ = true;
            UseActiveMode(handle_);
        }
    }
    if (result == CURLE_OK) {
        ClearError();
        return true;
    }
    long os_error = 0;
    curl_easy_getinfo(handle_, CURLINFO_OS_ERRNO, &os_error);
    // The buffer is read only now: after a successful call it may hold a stale message.
    const std::string text = error_buffer_[0] != '\0' ? error_buffer_ : curl_easy_strerror(result);
    if (last_reply_.empty() && !reply_.empty()) {
        last_reply_ = reply_;
    }
    switch (result) {
        case CURLE_OPERATION_TIMEDOUT:
        case CURLE_FTP_ACCEPT_TIMEOUT:
            Fail(ftp_error::kTimeout, ETIMEDOUT, text);
            return false;
        default:
            break;
    }
    if (ReplyCode(last_reply_) >= 400) {
        Fail(ftp_error::kServerReply, 0, text);
        return false;
    }
    switch (result) {
        case CURLE_COULDNT_RESOLVE_HOST:
            Fail(ftp_error::kNameNotResolved, 0, text);
            break;
        case CURLE_COULDNT_CONNECT:
            Fail(ftp_error::kCannotConnect, static_cast<int>(os_error), text);
            break;
        case CURLE_SEND_ERROR:
        case CURLE_RECV_ERROR:
        case CURLE_GOT_NOTHING:
        case CURLE_PARTIAL_FILE:
        case CURLE_UPLOAD_FAILED:
        case CURLE_FTP_ACCEPT_FAILED:
            Fail(ftp_error::kConnectionReset, static_cast<int>(os_error), text);
            break;
        default:
            Fail(ftp_error::kOther, static_cast<int>(os_error), text);
            break;
    }
    return false;
}

bool CurlFtpClient::ListWith(const char* command, const std::string& path, std::string& text) {
    Prepare(path, true);
    if (command != nullptr) {
        curl_easy_setopt(handle_, CURLOPT_CUSTOMREQUEST, command);
    }
    curl_easy_setopt(handle_, CURLOPT_WRITEFUNCTION, &CurlCallbacks::OnListingData);
    curl_easy_setopt(handle_, CURLOPT_WRITEDATA, this);
    text.clear();
    listing_ = &text;
    listing_too_long_ = false;
    const bool listed = Perform();
    listing_ = nullptr;
    if (listing_too_long_) {
        text.clear();
        Fail(ftp_error::kListingTooLong, 0, AbsolutePath(path) + kListingTooLongMessage);
        return false;
    }
    return listed;
}

bool CurlFtpClient::ListDirectory(const std::string& path, std::vector<FtpEntry>& entries) {
    entries.clear();
    if (!connected_) {
        Fail(ftp_error::kNotConnected, 0, {});
        return false;
    }
    std::string text;
    // MLSD says plainly which names are folders; LIST output has to be guessed at.
    if (endpoint_.protocol != FtpProtocol::kSftp && !machine_listing_refused_) {
        if (ListWith("MLSD", path, text)) {
            entries = ParseMachineListing(text);
            return true;
        }
        if (error_code_ != ftp_error::kServerReply || !IsUnknownCommand(ReplyCode(last_reply_))) {
            return false;
        }
        machine_listing_refused_ = true;
    }
    if (!ListWith(nullptr, path, text)) {
        return false;
    }
    entries = ParseListListing(text);
    return true;
}

bool CurlFtpClient::PutFile(const std::string& local_path, const std::string& remote_path) {
    if (!connected_) {
        Fail(ftp_error::kNotConnected, 0, {});
        return false;
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(local_path.c_str(), "rb"));
    struct stat info {};
    if (!file || ::fstat(fileno(file.get()), &info) != 0 || S_ISDIR(info.st_mode)) {
        Fail(ftp_error::kLocalFile, !file ? errno : (S_ISDIR(info.st_mode) ? EISDIR : errno),
             local_path);
        return false;
    }
    Prepare(remote_path, false);
    curl_easy_setopt(handle_, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(handle_, CURLOPT_READDATA, file.get());
    curl_easy_setopt(handle_, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(info.st_size));
    curl_easy_setopt(handle_, CURLOPT_TRANSFERTEXT, 0L);
    return Perform();
}

bool CurlFtpClient::RemoveFile(const std::string& remote_path) {
    if (!connected_) {
        Fail(ftp_error::kNotConnected, 0, {});
        return false;
    }
    // Quoted commands run before libcurl changes folder, so the path must be absolute.
    const std::string path = AbsolutePath(remote_path);
    const std::string command =
        endpoint_.protocol == FtpProtocol::kSftp ? "rm \"" + path + "\"" : "DELE " + path;
    std::unique_ptr<curl_slist, SlistDeleter> quote(curl_slist_append(nullptr, command.c_str()));
    Prepare("/", true);
    curl_easy_setopt(handle_, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(handle_, CURLOPT_QUOTE, quote.get());
    return Perform();
}

size_t CurlCallbacks::OnReplyLine(char* data, size_t size, size_t count, void* self) {
    auto* client = static_cast<CurlFtpClient*>(self);
    std::string line(data, size * count);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    // A reply may take several lines ("530-…" up to "530 …"); the last complete one is kept.
    std::string& reply = client->reply_;
    if (reply.size() < kMaxReplyBytes) {
        if (!reply.empty()) {
            reply += "\n";
        }
        reply += line.substr(0, kMaxReplyBytes);
    }
    if (ReplyCode(line) != 0 && line.size() >= 4 && line[3] == ' ') {
        client->last_reply_ = reply.substr(0, 1024);
        reply.clear();
    } else if (ReplyCode(line) != 0 && line.size() == 3) {
        client->last_reply_ = reply;
        reply.clear();
    }
    return size * count;
}

size_t CurlCallbacks::OnListingData(char* data, size_t size, size_t count, void* self) {
    auto* client = static_cast<CurlFtpClient*>(self);
    if (client->listing_ != nullptr) {
        if (client->listing_->size() + size * count > kMaxListingBytes) {
            client->listing_too_long_ = true;
            return 0;  // libcurl ends the transfer
        }
        client->listing_->append(data, size * count);
    }
    return size * count;
}

int CurlCallbacks::OnHostKey(CURL*, const curl_khkey*, const curl_khkey*, curl_khmatch match,
                             void* self) {
    auto* client = static_cast<CurlFtpClient*>(self);
    // A host seen for the first time is trusted only when the writer says so, as ssh asks; a
    // host whose key changed is refused, since that is what an attacker in the middle looks like.
    switch (match) {
        case CURLKHMATCH_OK:
            return CURLKHSTAT_FINE;
        case CURLKHMATCH_MISSING:
            return client->host_key_question_ &&
                           client->host_key_question_(client->endpoint_.host + kNewHostKeyQuestion)
                       ? CURLKHSTAT_FINE_ADD_TO_FILE
                       : CURLKHSTAT_REJECT;
        default:
            return CURLKHSTAT_REJECT;
    }
}

int CurlCallbacks::OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* client = static_cast<CurlFtpClient*>(self);
    if (client->progress_) {
        client->progress_();
    }
    return 0;
}

}  // namespace folix
