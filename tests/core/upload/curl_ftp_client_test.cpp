#include "upload/curl_ftp_client.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "book/system_error.h"
#include "support/ftp_test_server.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"
#include "upload/ftp_error_report.h"
#include "upload/ftp_url.h"

namespace folix {
namespace {

using testing::FtpTestServer;
using testing::MakeFolder;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// Short enough that a dead server costs the suite a second or two.
constexpr FtpTimeouts kTestTimeouts{1500, 1500, 2000, 2};

FtpEndpoint Local(int port) {
    return {FtpProtocol::kFtp, "127.0.0.1", port};
}

std::vector<std::string> Describe(const std::vector<FtpEntry>& entries) {
    std::vector<std::string> names;
    for (const FtpEntry& entry : entries) {
        names.push_back(entry.name + (entry.is_directory ? "/" : ""));
    }
    std::sort(names.begin(), names.end());
    return names;
}

class CurlFtpClientTest : public ::testing::Test {
protected:
    CurlFtpClientTest() {
        MakeFolder(served / "www/docs");
        MakeFolder(served / "tmp");
        WriteBytes(served / "index.htm", "<HTML>");
        WriteBytes(served / "www/a.htm", "a");
        WriteBytes(served / "www/.htaccess", "deny");
    }

    bool ConnectTo(const FtpTestServer& server, CurlFtpClient& client) {
        return client.Connect(Local(server.port()), server.options().user,
                              server.options().password);
    }

    TempFolder served;
    TempFolder local;
    std::string root = served.path();
};

TEST_F(CurlFtpClientTest, ListsWithMachineListingAndFallsBackToList) {
    const std::vector<std::string> expected{".htaccess", "a.htm", "docs/"};
    {
        FtpTestServer server(root);
        CurlFtpClient client(kTestTimeouts);
        ASSERT_TRUE(ConnectTo(server, client)) << client.LastErrorText();
        std::vector<FtpEntry> entries;
        ASSERT_TRUE(client.ListDirectory("/www", entries));
        EXPECT_EQ(Describe(entries), expected);
        ASSERT_TRUE(client.ListDirectory("/", entries));
        EXPECT_EQ(Describe(entries), (std::vector<std::string>{"index.htm", "tmp/", "www/"}));
    }
    FtpTestServer::Options no_mlsd;
    no_mlsd.no_mlsd = true;
    FtpTestServer old_server(root, no_mlsd);
    CurlFtpClient client(kTestTimeouts);
    ASSERT_TRUE(ConnectTo(old_server, client));
    std::vector<FtpEntry> entries;
    ASSERT_TRUE(client.ListDirectory("/www/", entries)) << client.LastResponseText();
    EXPECT_EQ(Describe(entries), expected);
    // Once refused, the server is not asked for MLSD again.
    ASSERT_TRUE(client.ListDirectory("/tmp", entries));
    EXPECT_TRUE(entries.empty());
}

TEST_F(CurlFtpClientTest, SendsBytesUnchangedAndRemovesThem) {
    FtpTestServer server(root);
    CurlFtpClient client(kTestTimeouts);
    ASSERT_TRUE(ConnectTo(server, client));
    // Line ends, a NUL and bytes above 127 would all be damaged by a text-mode transfer.
    const std::string bytes = std::string("\xEF\xBB\xBF<P>一\r\nline\n\0end\r", 20) + "\xFF\x80";
    WriteBytes(local / "ページ 1.htm", bytes);
    ASSERT_TRUE(client.PutFile(local / "ページ 1.htm", "/www/docs/ページ 1.htm"))
        << client.LastErrorText();
    EXPECT_EQ(ReadBytes(served / "www/docs/ページ 1.htm"), bytes);
    // The root folder given as "/" gives two slashes in front of the name.
    ASSERT_TRUE(client.PutFile(local / "ページ 1.htm", "//top.htm"));
    EXPECT_EQ(ReadBytes(served / "top.htm"), bytes);

    ASSERT_TRUE(client.RemoveFile("/www/docs/ページ 1.htm")) << client.LastResponseText();
    EXPECT_FALSE(testing::Exists(served / "www/docs/ページ 1.htm"));
    EXPECT_FALSE(client.RemoveFile("/www/docs/gone.htm"));
    EXPECT_EQ(client.LastErrorCode(), ftp_error::kServerReply);
    EXPECT_EQ(client.LastResponseText().substr(0, 3), "550");
    // A refused removal drops the connection; the next call logs in again.
    std::vector<FtpEntry> entries;
    EXPECT_TRUE(client.ListDirectory("/www", entries));
}

TEST_F(CurlFtpClientTest, WrongPasswordGivesTheServersReplyAndNoPassword) {
    FtpTestServer server(root);
    // The server holds its refusal back for three seconds, as servers do against guessing.
    CurlFtpClient client({5000, 5000, 5000, 5});
    EXPECT_FALSE(client.Connect(Local(server.port()), "writer", "wrong-pw-123"));
    EXPECT_FALSE(client.IsConnected());
    EXPECT_EQ(client.LastErrorCode(), ftp_error::kServerReply);
    const std::string text = ConnectFailureText(client);
    EXPECT_EQ(text.substr(0, 4), "530 ") << text;
    EXPECT_EQ(text.find("wrong-pw-123"), std::string::npos);
    EXPECT_EQ(client.LastErrorText().find("wrong-pw-123"), std::string::npos);
}

TEST_F(CurlFtpClientTest, RefusedAndDeadServersFailInTime) {
    int closed_port = 0;
    {
        testing::SilentPort port;
        closed_port = port.port();
    }
    CurlFtpClient client(kTestTimeouts);
    EXPECT_FALSE(client.Connect(Local(closed_port), "writer", "pw"));
    EXPECT_EQ(client.LastErrorCode(), ftp_error::kCannotConnect);
    EXPECT_EQ(ConnectFailureText(client), SystemErrorText(ECONNREFUSED));

    testing::SilentPort dead;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(client.Connect(Local(dead.port()), "writer", "pw"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(6));
    EXPECT_EQ(client.LastErrorCode(), ftp_error::kTimeout);
    EXPECT_FALSE(ConnectFailureText(client).empty());
}

// A data connection that never arrives (a firewall in between drops it), in passive mode and in
// the active mode a server that refuses passive mode gets, ends in time with a message, listing
// or sending, and a working server takes the same client afterwards.
TEST_F(CurlFtpClientTest, DataConnectionThatNeverArrivesFailsInTime) {
    WriteBytes(local / "a.htm", "a");
    for (const bool refuses_passive : {false, true}) {
        SCOPED_TRACE(refuses_passive ? "active mode" : "passive mode");
        FtpTestServer::Options blocked;
        blocked.data_never_arrives = true;
        blocked.refuses_passive = refuses_passive;
        FtpTestServer server(root, blocked);
        CurlFtpClient client(kTestTimeouts);
        ASSERT_TRUE(ConnectTo(server, client));
        const auto start = std::chrono::steady_clock::now();
        std::vector<FtpEntry> entries;
        EXPECT_FALSE(client.ListDirectory("/www", entries));
        EXPECT_FALSE(client.PutFile(local / "a.htm", "/a.htm"));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
        EXPECT_EQ(client.LastErrorCode(), ftp_error::kTimeout) << client.LastErrorText();
        // the writer reads the system's words for a time-out, whatever libcurl left in its buffer
        testing::ScriptedUi ui;
        testing::ScriptedUi expected;
        ReportFtpError(ui, client);
        ShowLastError(expected, ETIMEDOUT);
        EXPECT_EQ(ui.messages, expected.messages);
        EXPECT_EQ(ui.notices, expected.notices);
        EXPECT_EQ(ui.messages.size() + ui.notices.size(), 1u);

        FtpTestServer working(root);
        ASSERT_TRUE(ConnectTo(working, client)) << client.LastErrorText();
        EXPECT_TRUE(client.PutFile(local / "a.htm", "/a.htm")) << client.LastErrorText();
        EXPECT_EQ(ReadBytes(served / "a.htm"), "a");
        std::filesystem::remove(served / "a.htm");
    }
}

TEST_F(CurlFtpClientTest, DroppedConnectionIsAResetAndTheNextCallConnectsAgain) {
    FtpTestServer::Options dropping;
    dropping.drop_on = "b.htm";
    FtpTestServer server(root, dropping);
    CurlFtpClient client(kTestTimeouts);
    ASSERT_TRUE(ConnectTo(server, client));
    WriteBytes(local / "b.htm", std::string(200000, 'b'));
    WriteBytes(local / "c.htm", "c");
    EXPECT_FALSE(client.PutFile(local / "b.htm", "/b.htm"));
    EXPECT_EQ(client.LastErrorCode(), ftp_error::kConnectionReset) << client.LastErrorText();
    testing::ScriptedUi ui;
    ReportFtpError(ui, client);
    EXPECT_EQ(ui.messages, std::vector<std::string>{kConnectionResetMessage});

    EXPECT_TRUE(client.IsConnected());
    EXPECT_TRUE(client.PutFile(local / "c.htm", "/c.htm")) << client.LastErrorText();
    EXPECT_EQ(ReadBytes(served / "c.htm"), "c");
}

TEST_F(CurlFtpClientTest, MissingLocalFileIsNamedAndNothingIsSent) {
    FtpTestServer server(root);
    CurlFtpClient client(kTestTimeouts);
    ASSERT_TRUE(ConnectTo(server, client));
    EXPECT_FALSE(client.PutFile(local / "none.htm", "/none.htm"));
    testing::ScriptedUi ui;
    ReportFtpError(ui, client);
    EXPECT_EQ(ui.messages, std::vector<std::string>{local / "none.htm" + "が開けません。(2)"});
    EXPECT_FALSE(testing::Exists(served / "none.htm"));
}

}  // namespace
}  // namespace folix
