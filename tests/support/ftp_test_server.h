#pragma once

#include <sys/types.h>

#include <string>

#include "support/temp_folder.h"

namespace folix::testing {

// A real FTP server on 127.0.0.1 and a free port, serving a folder of the test's own, for as
// long as the object lives.
class FtpTestServer {
public:
    struct Options {
        std::string user = "writer";
        std::string password = "ftp-test-pw";
        bool no_mlsd = false;          // the server answers MLSD with "500 … not understood"
        std::string drop_on;           // sending a file of this name resets the connection
        std::string listing;           // a file whose bytes answer every MLSD and LIST;
                                       // "endless": a listing that never ends
        bool refuses_passive = false;  // PASV and EPSV are answered "502 …"
        bool refuses_active = false;   // PORT and EPRT are answered "502 …"
        // A firewall that drops data connections: PORT and EPRT are taken but the server never
        // connects back; PASV and EPSV name a port whose connections never get through
        bool data_never_arrives = false;
    };

    explicit FtpTestServer(const std::string& root);
    FtpTestServer(const std::string& root, Options options);
    ~FtpTestServer();
    FtpTestServer(const FtpTestServer&) = delete;
    FtpTestServer& operator=(const FtpTestServer&) = delete;

    // 0 when the server did not start (the test has failed then).
    int port() const { return port_; }
    // "127.0.0.1:PORT", a bare host the upload reads as ftp://.
    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
    const Options& options() const { return options_; }

private:
    Options options_;
    TempFolder log_folder_;
    pid_t pid_ = -1;
    int port_ = 0;
};

// A port on 127.0.0.1 that takes connections and never answers: a dead server.
class SilentPort {
public:
    SilentPort();
    ~SilentPort();
    SilentPort(const SilentPort&) = delete;
    SilentPort& operator=(const SilentPort&) = delete;
    int port() const { return port_; }

private:
    int socket_ = -1;
    int port_ = 0;
};

}  // namespace folix::testing
