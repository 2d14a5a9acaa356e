#include "support/ftp_test_server.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <regex>
#include <thread>
#include <vector>

namespace folix::testing {

FtpTestServer::FtpTestServer(const std::string& root) : FtpTestServer(root, Options{}) {}

FtpTestServer::FtpTestServer(const std::string& root, Options options)
    : options_(std::move(options)) {
    const std::string log_path = log_folder_ / "server.log";
    std::vector<std::string> args{"/usr/bin/python3"};
    const std::vector<std::pair<bool, const char*>> flags{
        {options_.no_mlsd, "--no-mlsd"},
        {options_.refuses_passive, "--refuse-passive"},
        {options_.refuses_active, "--refuse-active"},
        {options_.data_never_arrives, "--data-never-arrives"}};
    const bool ordinary =
        options_.drop_on.empty() && options_.listing.empty() &&
        std::none_of(flags.begin(), flags.end(), [](const auto& flag) { return flag.first; });
    if (ordinary) {
        args.insert(args.end(), {"-m", "pyftpdlib", "-i", "127.0.0.1", "-p", "0", "-w", "-d", root,
                                 "-u", options_.user, "-P", options_.password});
    } else {
        args.insert(args.end(),
                    {std::string(FOLIX_SOURCE_DIR) + "/tests/support/ftp_server.py", "--directory",
                     root, "--username", options_.user, "--password", options_.password});
        for (const auto& [on, flag] : flags) {
            if (on) {
                args.push_back(flag);
            }
        }
        if (!options_.drop_on.empty()) {
            args.insert(args.end(), {"--drop-on", options_.drop_on});
        }
        if (!options_.listing.empty()) {
            args.insert(args.end(), {"--listing", options_.listing});
        }
    }
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        int in = open("/dev/null", O_RDONLY);
        int log = open(log_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(in, 0);
        dup2(log, 1);
        dup2(log, 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    // The server names the port it got in its start line.
    const std::regex start_line(R"(starting FTP server on 127\.0\.0\.1:(\d+))");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (std::chrono::steady_clock::now() < deadline) {
        std::smatch match;
        const std::string log = ReadBytes(log_path);
        if (std::regex_search(log, match, start_line)) {
            port_ = std::stoi(match[1]);
            return;
        }
        if (pid_ <= 0 || waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ADD_FAILURE() << "the FTP server did not start:\n" << ReadBytes(log_path);
}

FtpTestServer::~FtpTestServer() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

SilentPort::SilentPort() {
    socket_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (socket_ < 0 || bind(socket_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(socket_, 4) != 0 ||
        getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ADD_FAILURE() << "no listening socket";
        return;
    }
    port_ = ntohs(address.sin_port);
}

SilentPort::~SilentPort() {
    if (socket_ >= 0) {
        close(socket_);
    }
}

}  // namespace folix::testing
