#include <gtest/gtest.h>

#include "site/html_options.h"
#include "support/ftp_test_server.h"
#include "support/run_program.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"
#include "upload/profile_scrambling.h"

namespace folix {
namespace {

using testing::FtpTestServer;
using testing::MakeFolder;
using testing::ProgramInput;
using testing::ReadBytes;
using testing::RunFolix;
using testing::TempFolder;
using testing::WriteBytes;

constexpr char kNoPlace[] = "XDG_CONFIG_HOME=/nonexistent";

// A book "novel" whose site is index.htm and index.css, and a server with a folder www.
class UploadCommandTest : public ::testing::Test {
protected:
    UploadCommandTest() {
        MakeFolder(dir / "novel");
        WriteBytes(dir / "novel/novel.flx", "");
        WriteBytes(dir / "novel/一.txt", "本文\r\n");
        MakeFolder(served / "www");
        HtmlOptions options;
        options.html_file_name = "index.htm";
        options.frame = false;
        options.ftp_directory = "/www";
        EXPECT_TRUE(SaveHtmlOptions(ui, dir / "novel", options));
    }

    void Build() {
        auto built = RunFolix({"html", "novel/novel.flx"}, dir.path());
        ASSERT_EQ(built.exit_code, 0) << built.err;
    }

    TempFolder dir;
    TempFolder served;
    testing::ScriptedUi ui;
    FtpTestServer server{served.path()};
    const std::string password = server.options().password;
};

TEST_F(UploadCommandTest, SendsTheLastBuildWithThePasswordFromStandardInput) {
    Build();
    auto result = RunFolix({"upload", "novel/novel.flx", "--server", server.address(), "--user",
                            "writer", "--dir", "/www", "--password-stdin"},
                           dir.path(), ProgramInput{password + "\n", {kNoPlace}});
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out, "/www/index.htm\n/www/index.css\n");
    EXPECT_EQ(result.err, "アップロードが完了しました。\n");
    EXPECT_EQ(ReadBytes(served / "www/index.htm"), ReadBytes(dir / "index.htm"));
    EXPECT_EQ(ReadBytes(served / "www/index.css"), ReadBytes(dir / "index.css"));
}

TEST_F(UploadCommandTest, TakesWhatIsNotGivenFromTheProfileOfTheWindow) {
    Build();
    MakeFolder(dir / "config/morivane");
    WriteBytes(dir / "config/morivane/folix.conf",
               "[OnUpload]\nURL=" + server.address() + "\nparam1=" + ScrambleProfileText("writer") +
                   "\np0=1\nparam2=" + ScrambleProfileText(password) + "\n");
    const ProgramInput input{{}, {"XDG_CONFIG_HOME=" + (dir / "config")}};
    auto result = RunFolix({"upload", "novel/novel.flx", "--dir", "/www"}, dir.path(), input);
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_TRUE(testing::Exists(served / "www/index.css"));

    // The kept password belongs to that server and user only.
    result = RunFolix({"upload", "novel/novel.flx", "--user", "someone", "--dir", "/www"},
                      dir.path(), input);
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.find(password), std::string::npos);
}

TEST_F(UploadCommandTest, RefusalsExitWithOneAndBadUsageWithTwo) {
    const ProgramInput no_profile{{}, {kNoPlace}};
    auto result = RunFolix({"upload", "novel/novel.flx", "--server", server.address()}, dir.path(),
                           no_profile);
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.err, "HTML作成ボタンを押してHTMLファイルを更新してください。\n");

    Build();
    // Without a terminal the root-folder question is answered No.
    result = RunFolix({"upload", "novel/novel.flx", "--server", server.address(), "--dir", "/"},
                      dir.path(), no_profile);
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_NE(result.err.find("ルートディレクトリへアップロードするのですか？"), std::string::npos);

    result =
        RunFolix({"upload", "novel/novel.flx", "--server", "http://example.com", "--dir", "/www"},
                 dir.path(), no_profile);
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.err, "Please enter a valid FTP URL\n");

    EXPECT_EQ(RunFolix({"upload"}, dir.path(), no_profile).exit_code, 2);
    EXPECT_EQ(
        RunFolix({"upload", "novel/novel.flx", "--dir", "www"}, dir.path(), no_profile).exit_code,
        2);
    EXPECT_EQ(RunFolix({"upload", "novel/novel.flx", "--server"}, dir.path(), no_profile).exit_code,
              2);
}

}  // namespace
}  // namespace folix
