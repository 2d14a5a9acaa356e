#include "upload/upload_session.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "book/path_parts.h"
#include "book/system_error.h"
#include "core/upload/upload_test_support.h"
#include "site/html_builder.h"
#include "support/memory_profile.h"
#include "upload/ftp_error_report.h"
#include "upload/upload_files.h"

namespace folix {
namespace {

using testing::ChildNamed;
using testing::Exists;
using testing::FtpTestServer;
using testing::MakeFolder;
using testing::ReadBytes;
using testing::WriteBytes;

class UploadSessionTest : public ::testing::Test {
protected:
    UploadSessionTest() {
        MakeFolder(served / "www");
        MakeFolder(served / "tmp");
    }

    // A session on the test server, as the dialog starts with a server name in its field.
    void Open(const FtpTestServer& server) {
        session.server = server.address();
        session.user_name = server.options().user;
        session.password = server.options().password;
        ASSERT_TRUE(session.Start());
        ASSERT_TRUE(session.IsConnected()) << ::testing::PrintToString(ui.messages);
    }

    // Picks a remote folder as the writer does: select it, press the directory button.
    void Choose(const std::string& folder) {
        TreeItem item = session.remote_tree().root_item();
        if (folder != "/") {
            item = ChildNamed(control, item, folder);
        }
        control.SelectItem(item);
        ASSERT_TRUE(session.OnSpecifyDirectory());
    }

    testing::TempFolder served;
    testing::TempFolder local;
    testing::ScriptedUi ui;
    MemoryTreeControl control;
    UploadSession session{ui, control, std::make_unique<CurlFtpClient>(testing::kTestTimeouts)};
};

// In passive mode; in active mode from a server that refuses passive mode; in passive mode
// to a server that refuses active mode. Each lists its folders and takes the build.
TEST_F(UploadSessionTest, EveryFileOfAFullBuildArrivesInOrderByteForByte) {
    const std::string book = local / "novel";
    MakeFolder(book);
    WriteBytes(book + "/novel.flx", "");
    WriteBytes(book + "/一.txt", "吾輩は猫である。\r\n名前はまだ無い。\r\n");
    HtmlOptions options;
    options.html_file_name = "index.htm";
    options.top_bottom = true;
    HtmlBuilder builder(ui, SiteBook{book, local.path()});
    ASSERT_EQ(builder.MakeHtml(options), BuildOutcome::kWritten);
    ASSERT_TRUE(CheckUploadable(ui, builder.paths().main_page));
    session.local_directory = ParentPath(builder.paths().main_page);
    for (const std::string& path : UploadFileList(builder.paths(), options)) {
        session.AddFile(path);
    }

    FtpTestServer::Options passive_refused;
    passive_refused.refuses_passive = true;
    FtpTestServer::Options active_refused;
    active_refused.refuses_active = true;
    for (const auto& [server_kind, server_options] :
         {std::pair{"either mode", FtpTestServer::Options{}},
          std::pair{"active mode only", passive_refused},
          std::pair{"passive mode only", active_refused}}) {
        SCOPED_TRACE(server_kind);
        std::filesystem::remove_all(served / "www");
        MakeFolder(served / "www");
        ui.messages.clear();
        FtpTestServer server(served.path(), server_options);
        Open(server);
        Choose("www");
        EXPECT_EQ(session.ftp_directory, "/www");
        std::vector<std::string> progress;
        ASSERT_TRUE(session.OnUpload([&](size_t index, size_t count, const std::string& name) {
            progress.push_back(std::to_string(index + 1) + "/" + std::to_string(count) + " " +
                               name);
        }));
        EXPECT_EQ(progress,
                  (std::vector<std::string>{"1/8 index.htm", "2/8 index2_.htm", "3/8 index2_.css",
                                            "4/8 index3_.htm", "5/8 index4_.htm", "6/8 index5_.htm",
                                            "7/8 index6_.htm", "8/8 index.css"}));
        for (const std::string& name : session.files()) {
            EXPECT_EQ(ReadBytes(served / ("www/" + name)), ReadBytes(local / name)) << name;
        }
        EXPECT_EQ(ui.messages, std::vector<std::string>{kUploadDoneMessage});
    }
    EXPECT_EQ(session.file_name_display(),
              "index.htm index2_.htm index2_.css index3_.htm index4_.htm index5_.htm "
              "index6_.htm index.css ");
}

TEST_F(UploadSessionTest, FirstFailureStopsTheUploadAndShowsTheServersReply) {
    // A folder where the second file should go: the server refuses to write over it.
    MakeFolder(served / "www/b.htm");
    FtpTestServer server(served.path());
    Open(server);
    for (const char* name : {"a.htm", "b.htm", "c.htm"}) {
        WriteBytes(local / name, name);
    }
    session.ReplaceFiles({local / "a.htm", local / "b.htm", local / "c.htm"});
    EXPECT_EQ(session.local_directory, local.path());
    Choose("www");
    EXPECT_FALSE(session.OnUpload());
    EXPECT_EQ(ReadBytes(served / "www/a.htm"), "a.htm");
    EXPECT_FALSE(Exists(served / "www/c.htm"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].substr(0, 4), "550 ");
}

TEST_F(UploadSessionTest, DroppedConnectionIsReportedAndTheNextUploadWorks) {
    FtpTestServer::Options dropping;
    dropping.drop_on = "b.htm";
    FtpTestServer server(served.path(), dropping);
    Open(server);
    for (const char* name : {"a.htm", "b.htm", "c.htm"}) {
        WriteBytes(local / name, name);
    }
    session.ReplaceFiles({local / "a.htm", local / "b.htm", local / "c.htm"});
    Choose("tmp");
    EXPECT_FALSE(session.OnUpload());
    EXPECT_EQ(ui.messages, std::vector<std::string>{kConnectionResetMessage});
    EXPECT_TRUE(Exists(served / "tmp/a.htm"));
    EXPECT_FALSE(Exists(served / "tmp/c.htm"));

    session.ReplaceFiles({local / "c.htm"});
    EXPECT_TRUE(session.OnUpload());
    EXPECT_EQ(ReadBytes(served / "tmp/c.htm"), "c.htm");
}

TEST_F(UploadSessionTest, RootFolderIsTakenOnlyAfterTheQuestion) {
    FtpTestServer server(served.path());
    Open(server);
    WriteBytes(local / "index.htm", "top");
    session.ReplaceFiles({local / "index.htm"});

    control.SelectItem(session.remote_tree().root_item());
    ui.ExpectQuestion(false);
    EXPECT_FALSE(session.OnSpecifyDirectory());
    EXPECT_EQ(session.ftp_directory, "");
    EXPECT_FALSE(session.OnUpload());

    ui.ExpectQuestion(true);
    Choose("/");
    EXPECT_EQ(ui.questions, (std::vector<std::string>(2, kRootDirectoryQuestion)));
    EXPECT_EQ(session.ftp_directory, "/");
    EXPECT_TRUE(session.OnUpload());
    EXPECT_EQ(ReadBytes(served / "index.htm"), "top");
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{kChooseDirectoryFirstMessage, kUploadDoneMessage}));
}

TEST_F(UploadSessionTest, DeletesTheTickedFilesInSightOnly) {
    MakeFolder(served / "old");
    for (const char* name : {"www/a.htm", "www/b.htm", "www/keep.htm", "old/x.htm"}) {
        WriteBytes(served / name, "");
    }
    FtpTestServer server(served.path());
    Open(server);
    EXPECT_FALSE(session.OnDeleteFiles());
    EXPECT_EQ(ui.messages, std::vector<std::string>{kTickFilesMessage});

    const TreeItem root = session.remote_tree().root_item();
    const TreeItem www = ChildNamed(control, root, "www");
    const TreeItem old = ChildNamed(control, root, "old");
    control.Expand(www, true);
    control.Expand(old, true);
    control.SetItemChecked(www, true);
    for (const char* name : {"a.htm", "b.htm"}) {
        control.SetItemChecked(ChildNamed(control, www, name), true);
    }
    control.SetItemChecked(ChildNamed(control, old, "x.htm"), true);
    // A view that keeps a closed folder's items: its ticked file is out of sight.
    control.SetExpandingHandler({});
    control.Expand(old, false);

    ui.ExpectQuestion(true);
    EXPECT_TRUE(session.OnDeleteFiles());
    EXPECT_EQ(ui.questions,
              std::vector<std::string>{"チェックマークの付いたファイルを削除します。2個のファイルを"
                                       "削除しますか？"});
    EXPECT_FALSE(Exists(served / "www/a.htm"));
    EXPECT_FALSE(Exists(served / "www/b.htm"));
    EXPECT_TRUE(Exists(served / "www/keep.htm"));
    EXPECT_TRUE(Exists(served / "old/x.htm"));
    EXPECT_EQ(testing::ChildLabels(control, www), std::vector<std::string>{"keep.htm"});
    EXPECT_EQ(ui.messages.back(), kDeleteDoneMessage);
}

// A hostile server names entries so that deleting them would reach outside the chosen folder:
// with "..", "/", "\\" or a CR LF that smuggles a second command. None of them shows, so none
// can be ticked, and deleting every file in sight removes only what is really in the folder.
// (A CR LF cuts the line short, into the name before it.) A listing of garbage leaves the
// session working. Both with MLSD and LIST.
TEST_F(UploadSessionTest, HostileListingsNeverLeadOutOfTheFolder) {
    WriteBytes(served / "secret.htm", "keep me");
    WriteBytes(served / "www/a.htm", "");
    WriteBytes(served / "www/b.htm", "");
    const std::vector<std::string> names = {"../secret.htm",
                                            "/secret.htm",
                                            "..\\secret.htm",
                                            "x/../../secret.htm",
                                            "b.htm\r\nDELE /secret.htm",
                                            ".."};
    std::string mlsd = "type=dir; www\r\n";
    std::string list = "drwxr-xr-x 2 u g 4096 Jan 1 12:00 www\r\n";
    for (const std::string& name : names) {
        mlsd += "type=file;size=1; " + name + "\n";
        list += "-rw-r--r-- 1 u g 1 Jan 1 12:00 " + name + "\n";
    }
    mlsd += "type=file;size=0; a.htm\r\n";
    list += "-rw-r--r-- 1 u g 0 Jan 1 12:00 a.htm\r\n";
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 37 + 11) % 256);
    }

    for (const auto& [listing, no_mlsd] :
         {std::pair{mlsd, false}, std::pair{list, true}, std::pair{garbage, false}}) {
        SCOPED_TRACE(no_mlsd ? "LIST" : "MLSD");
        WriteBytes(local / "listing", listing);
        FtpTestServer::Options options;
        options.no_mlsd = no_mlsd;
        options.listing = local / "listing";
        FtpTestServer server(served.path(), options);
        MemoryTreeControl tree;
        UploadSession hostile{ui, tree, std::make_unique<CurlFtpClient>(testing::kTestTimeouts)};
        hostile.server = server.address();
        hostile.user_name = server.options().user;
        hostile.password = server.options().password;
        ASSERT_TRUE(hostile.Start());
        const TreeItem root = hostile.remote_tree().root_item();
        if (listing == garbage) {
            EXPECT_TRUE(hostile.IsConnected());
            continue;
        }
        const TreeItem www = ChildNamed(tree, root, "www");
        tree.Expand(www, true);
        for (const std::string& label : testing::ChildLabels(tree, www)) {
            EXPECT_TRUE(label == "www/" || label == "a.htm" || label == "b.htm") << label;
        }
        for (TreeItem item = tree.GetChildItem(www); item != kNoItem;
             item = tree.GetNextSiblingItem(item)) {
            tree.SetItemChecked(item, true);
        }
        tree.SetItemChecked(www, true);
        ui.ExpectQuestion(true);
        EXPECT_TRUE(hostile.OnDeleteFiles());
        EXPECT_EQ(ReadBytes(served / "secret.htm"), "keep me");
        EXPECT_FALSE(Exists(served / "www/a.htm"));
        WriteBytes(served / "www/a.htm", "");
        WriteBytes(served / "www/b.htm", "");
    }
}

TEST_F(UploadSessionTest, ConnectRefusalsLeaveTheNotice) {
    EXPECT_TRUE(session.Start());
    EXPECT_EQ(control.GetItemText(control.GetChildItem(kNoItem)), kNotConnectedNotice);
    control.SelectItem(control.GetChildItem(kNoItem));
    EXPECT_FALSE(session.OnSpecifyDirectory());
    EXPECT_FALSE(session.OnUpload());

    session.server = "http://example.com/";
    EXPECT_FALSE(session.OnConnect());
    int closed_port = 0;
    {
        testing::SilentPort port;
        closed_port = port.port();
    }
    session.server = "ftp://127.0.0.1:" + std::to_string(closed_port);
    session.password = "never-shown-pw";
    EXPECT_FALSE(session.OnConnect());
    EXPECT_EQ(control.GetItemText(control.GetChildItem(kNoItem)), kNotConnectedNotice);
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{kSelectDirectoryMessage, kConnectFirstMessage,
                                        kInvalidUrlMessage, SystemErrorText(ECONNREFUSED)}));

    testing::ScriptedUi other_ui;
    MemoryTreeControl other_control;
    UploadSession without_library(other_ui, other_control, nullptr);
    EXPECT_FALSE(without_library.Start());
    EXPECT_EQ(other_ui.messages, std::vector<std::string>{kNoSessionMessage});
}

TEST_F(UploadSessionTest, EndingWithKeepStoresSettingsAndTheBooksFolder) {
    MakeFolder(local / "novel");
    testing::MemoryProfile profile;
    session.LoadSettings({"example.com", "taro", "pw-typed", false});
    session.ftp_directory = "/www";
    HtmlOptions options;
    ASSERT_TRUE(session.KeepSettings(profile, options, local / "novel"));
    EXPECT_EQ(LoadHtmlOptions(ui, local / "novel").ftp_directory, "/www");
    const UploadSettings kept = LoadUploadSettings(profile);
    EXPECT_EQ(kept.server, "example.com");
    EXPECT_EQ(kept.user, "taro");
    EXPECT_EQ(kept.password, "");
}

TEST(UploadFiles, EachFrameModeSendsItsFilesMainPageFirstStyleLast) {
    const SiteFilePaths paths{"/w/index.htm",   "/w/index2_.htm", "/w/index2_.css",
                              "/w/index3_.htm", "/w/index4_.htm", "/w/index5_.htm",
                              "/w/index6_.htm", "/w/index.css"};
    auto names = [&](bool frame, bool top_bottom) {
        HtmlOptions options;
        options.frame = frame;
        options.top_bottom = top_bottom;
        std::string joined;
        for (const std::string& path : UploadFileList(paths, options)) {
            joined += FileNamePart(path) + " ";
        }
        return joined;
    };
    EXPECT_EQ(names(false, false), "index.htm index.css ");
    EXPECT_EQ(names(true, false), "index.htm index2_.htm index2_.css index3_.htm index.css ");
    EXPECT_EQ(names(false, true), "index.htm index3_.htm index5_.htm index6_.htm index.css ");

    // A file whose overwrite the writer declined has no path and is not sent.
    SiteFilePaths declined = paths;
    declined.contents_style.clear();
    HtmlOptions options;
    EXPECT_EQ(UploadFileList(declined, options).size(), 4u);
}

TEST(UploadFiles, NoBuildOrThePlaceholderNameIsRefused) {
    testing::ScriptedUi ui;
    EXPECT_FALSE(CheckUploadable(ui, ""));
    EXPECT_FALSE(CheckUploadable(ui, "/w/noname.htm"));
    EXPECT_TRUE(CheckUploadable(ui, "/w/NoName.htm"));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{
                               kBuildFirstMessage,
                               "noname.htmはアップロードできません。HTMLオプションボタンを押して"
                               "正しいファイル名を指定してやり直してください。"}));
}

}  // namespace
}  // namespace folix
