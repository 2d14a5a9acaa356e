#include "gui/upload/upload_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "book/path_parts.h"
#include "core/upload/upload_test_support.h"
#include "gui/app/commands.h"
#include "gui/gui_fixture.h"
#include "gui/upload/ftp_tree_ctrl.h"
#include "model/file_system.h"
#include "site/html_options.h"
#include "upload/curl_ftp_client.h"
#include "upload/ftp_error_report.h"
#include "upload/upload_files.h"
#include "upload/upload_settings.h"

namespace folix::testing {
namespace {

using gui::CFtpTreeCtrl;
using gui::CUploadDlg;

// The upload dialog on the sample book, against a real FTP server serving a folder of the
// test's own: www (holding a page), an empty tmp, a page at the root and a hidden file.
class UploadDialogTest : public GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        MakeFolder(served / "www");
        MakeFolder(served / "tmp");
        WriteBytes(served / "www/old.htm", "old");
        WriteBytes(served / "index.htm", "root page");
        WriteBytes(served / ".htaccess", "deny");
        OpenSample();
    }

    CFileSystem& Book() { return frame->ActiveChild()->Document().FileSystem(); }

    // The dialog as the command makes it, with the server's address and login kept in the
    // profile when asked to.
    std::unique_ptr<CUploadDlg> MakeDialog(const FtpTestServer* server = nullptr,
                                           const std::string& password = {},
                                           FtpTimeouts timeouts = kTestTimeouts) {
        if (server != nullptr) {
            SaveUploadSettings(profile,
                               {server->address(), server->options().user,
                                password.empty() ? server->options().password : password, true});
        }
        auto dialog = std::make_unique<CUploadDlg>(
            ui, Book(), profile, std::make_unique<CurlFtpClient>(timeouts), frame.get());
        dialog->show();
        return dialog;
    }

    QTreeWidgetItem* Root(CUploadDlg& dialog) { return dialog.RemoteTreeCtrl().topLevelItem(0); }
    QTreeWidgetItem* Child(QTreeWidgetItem* parent, const QString& label) {
        for (int i = 0; parent != nullptr && i < parent->childCount(); ++i) {
            if (parent->child(i)->text(0) == label) {
                return parent->child(i);
            }
        }
        ADD_FAILURE() << "no item " << label.toStdString();
        return nullptr;
    }
    static QStringList Labels(QTreeWidgetItem* parent) {
        QStringList labels;
        for (int i = 0; i < parent->childCount(); ++i) {
            labels << parent->child(i)->text(0);
        }
        labels.sort();
        return labels;
    }

    // A left click on the item's expand button, where the writer clicks.
    void ClickButton(CFtpTreeCtrl& tree, QTreeWidgetItem* item) {
        const QRect row = tree.visualItemRect(item);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {},
                          QPoint(row.left() - tree.indentation() / 2, row.center().y()));
    }
    // A left click on the item's check box.
    void ClickCheckBox(CFtpTreeCtrl& tree, QTreeWidgetItem* item) {
        QStyleOptionViewItem option;
        option.initFrom(&tree);
        option.rect = tree.visualItemRect(item);
        option.features = QStyleOptionViewItem::HasCheckIndicator;
        const QRect box =
            tree.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &tree);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, box.center());
    }

    // Picks a remote folder as the writer does: select it, press "ﾃﾞｨﾚｸﾄﾘ指定".
    void Choose(CUploadDlg& dialog, QTreeWidgetItem* item) {
        dialog.RemoteTreeCtrl().setCurrentItem(item);
        dialog.directory_button->click();
    }

    TempFolder served;
};

TEST_F(UploadDialogTest, CommandWaitsForABuildAndIsOfferedFromBothPanes) {
    EXPECT_TRUE(Enabled(gui::kCmdUpload));
    frame->ActiveChild()->SetActivePane(gui::Pane::kEditor);
    EXPECT_TRUE(Enabled(gui::kCmdUpload));
    frame->RunCommand(gui::kCmdUpload);
    EXPECT_EQ(ui.messages, std::vector<std::string>{kBuildFirstMessage});
}

TEST_F(UploadDialogTest, WithoutAServerOnlyTheNoticeShowsAndEveryButtonRefuses) {
    auto dialog = MakeDialog();
    ASSERT_TRUE(dialog->Start());
    CFtpTreeCtrl& tree = dialog->RemoteTreeCtrl();
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    QTreeWidgetItem* notice = tree.topLevelItem(0);
    EXPECT_EQ(notice->text(0), kNotConnectedNotice);
    EXPECT_EQ(tree.GetItemImage(CFtpTreeCtrl::ToItem(notice)), kRemoteNoticeImage);
    EXPECT_FALSE(tree.rootIsDecorated());

    ClickCheckBox(tree, notice);
    EXPECT_EQ(notice->checkState(0), Qt::Checked) << "every item carries a check box";
    tree.setCurrentItem(notice);
    dialog->directory_button->click();
    dialog->upload_button->click();
    dialog->delete_button->click();
    EXPECT_EQ(ui.messages, (std::vector<std::string>{kSelectDirectoryMessage, kConnectFirstMessage,
                                                     kTickFilesMessage}));
    EXPECT_EQ(dialog->ftp_directory->text(), "");
}

TEST_F(UploadDialogTest, ConnectsToABareHostAndListsFoldersAsTheyOpen) {
    FtpTestServer server(served.path());
    auto dialog = MakeDialog();
    ASSERT_TRUE(dialog->Start());
    dialog->server->setText(QString::fromStdString(server.address()));
    dialog->user_name->setText("writer");
    dialog->password->setText("ftp-test-pw");
    dialog->connect_button->click();
    ASSERT_TRUE(dialog->Session().IsConnected()) << ::testing::PrintToString(ui.messages);

    CFtpTreeCtrl& tree = dialog->RemoteTreeCtrl();
    QTreeWidgetItem* root = Root(*dialog);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->text(0), "/");
    EXPECT_TRUE(root->isExpanded());
    EXPECT_TRUE(tree.rootIsDecorated());
    EXPECT_EQ(Labels(root), QStringList({"index.htm", "tmp", "www"}));
    QTreeWidgetItem* www = Child(root, "www");
    EXPECT_EQ(www->childCount(), 1) << "a folder with something in it shows a button";
    EXPECT_EQ(Child(root, "tmp")->childCount(), 0);

    // The button lists the folder from the server, as it is now.
    WriteBytes(served / "www/new.htm", "new");
    ClickButton(tree, www);
    ASSERT_TRUE(www->isExpanded());
    EXPECT_EQ(Labels(www), QStringList({"new.htm", "old.htm"}));
    EXPECT_EQ(tree.GetItemImage(CFtpTreeCtrl::ToItem(Child(www, "new.htm"))), kRemoteFileImage);

    // Closing and opening lists it again: the ticks of the old listing are gone.
    ClickCheckBox(tree, Child(www, "old.htm"));
    ASSERT_EQ(Child(www, "old.htm")->checkState(0), Qt::Checked);
    ClickButton(tree, www);
    EXPECT_FALSE(www->isExpanded());
    ClickButton(tree, www);
    ASSERT_TRUE(www->isExpanded());
    EXPECT_EQ(Child(www, "old.htm")->checkState(0), Qt::Unchecked);

    // A double click on a folder closes it too.
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(www).center());
    EXPECT_FALSE(www->isExpanded());
    EXPECT_TRUE(ui.messages.empty()) << ::testing::PrintToString(ui.messages);
}

TEST_F(UploadDialogTest, RefusedLoginShowsTheServersReplyWithoutThePassword) {
    FtpTestServer server(served.path());
    // The server holds its refusal back for three seconds, as servers do against guessing.
    auto dialog = MakeDialog(&server, "wrong-pw-456", {5000, 5000, 5000, 5});
    ASSERT_TRUE(dialog->Start());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].substr(0, 4), "530 ") << ui.messages[0];
    EXPECT_EQ(ui.messages[0].find("wrong-pw-456"), std::string::npos);
    EXPECT_EQ(Root(*dialog)->text(0), kNotConnectedNotice);

    // Not even a server: the address is refused before anything is sent.
    dialog->server->setText("http://127.0.0.1/");
    dialog->connect_button->click();
    EXPECT_EQ(ui.messages.back(), kInvalidUrlMessage);
    EXPECT_EQ(dialog->RemoteTreeCtrl().topLevelItemCount(), 1);
}

TEST_F(UploadDialogTest, BuiltSiteArrivesWhole_AndEndingKeepsTheSettings) {
    frame->RunCommand(gui::kCmdMakeHtml);
    ASSERT_FALSE(Book().TopPagePath().empty()) << ::testing::PrintToString(ui.messages);
    ui.messages.clear();
    std::vector<std::string> built;
    for (const std::string& path : UploadFileList(Book().SitePaths(), Book().GetHtmlOptions())) {
        built.push_back(FileNamePart(path));
    }
    ASSERT_GE(built.size(), 2u);

    FtpTestServer server(served.path());
    auto dialog = MakeDialog(&server);
    EXPECT_EQ(dialog->local_directory->text().toStdString(), ParentPath(Book().TopPagePath()));
    EXPECT_EQ(dialog->file_names->text().toStdString().substr(0, built[0].size() + 1),
              built[0] + " ");
    EXPECT_EQ(dialog->password->text(), "ftp-test-pw");
    EXPECT_EQ(dialog->password->echoMode(), QLineEdit::Password);
    ASSERT_TRUE(dialog->Start());
    ASSERT_TRUE(dialog->Session().IsConnected()) << ::testing::PrintToString(ui.messages);

    Choose(*dialog, Child(Root(*dialog), "www"));
    EXPECT_EQ(dialog->ftp_directory->text(), "/www");
    std::vector<std::string> progress;
    QObject::connect(dialog->upload_progress, &QProgressBar::valueChanged, [&] {
        progress.push_back(dialog->upload_progress->text().toStdString() + " " +
                           dialog->upload_file->text().toStdString());
    });
    dialog->upload_button->click();
    EXPECT_EQ(ui.messages, std::vector<std::string>{kUploadDoneMessage});
    ASSERT_EQ(progress.size(), built.size());
    EXPECT_EQ(progress.front(), "1/" + std::to_string(built.size()) + " " + built.front());
    EXPECT_EQ(progress.back(), std::to_string(built.size()) + "/" + std::to_string(built.size()) +
                                   " " + built.back());
    EXPECT_TRUE(dialog->upload_progress->isHidden());
    const std::string local = dialog->local_directory->text().toStdString();
    for (const std::string& name : built) {
        EXPECT_EQ(ReadBytes(served / ("www/" + name)), ReadBytes(local + "/" + name)) << name;
    }

    dialog->close_button->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const UploadSettings kept = LoadUploadSettings(profile);
    EXPECT_EQ(kept.server, server.address());
    EXPECT_EQ(kept.user, "writer");
    EXPECT_EQ(kept.password, "ftp-test-pw");
    EXPECT_NE(profile.GetString(kUploadSection, "param2"), "ftp-test-pw");
    EXPECT_EQ(Book().GetHtmlOptions().ftp_directory, "/www");
    EXPECT_EQ(LoadHtmlOptions(ui, Book().Tree().GetRootPath()).ftp_directory, "/www");
}

TEST_F(UploadDialogTest, CancelKeepsNothing_AndAnUnsavedPasswordIsKeptBlank) {
    FtpTestServer server(served.path());
    {
        auto dialog = MakeDialog(&server);
        ASSERT_TRUE(dialog->Start());
        Choose(*dialog, Child(Root(*dialog), "tmp"));
        dialog->user_name->setText("someone-else");
        dialog->cancel_button->click();
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
    }
    EXPECT_EQ(LoadUploadSettings(profile).user, "writer");
    EXPECT_EQ(Book().GetHtmlOptions().ftp_directory, "");
    EXPECT_EQ(LoadHtmlOptions(ui, Book().Tree().GetRootPath()).ftp_directory, "");

    {
        auto dialog = MakeDialog(&server);
        dialog->save_password->setChecked(false);
        dialog->close_button->click();
    }
    const UploadSettings kept = LoadUploadSettings(profile);
    EXPECT_EQ(kept.server, server.address());
    EXPECT_EQ(kept.user, "writer");
    EXPECT_EQ(kept.password, "");
    EXPECT_FALSE(kept.save_password);
    auto next = std::make_unique<CUploadDlg>(
        ui, Book(), profile, std::make_unique<CurlFtpClient>(kTestTimeouts), frame.get());
    EXPECT_EQ(next->password->text(), "");
    EXPECT_FALSE(next->save_password->isChecked());
}

TEST_F(UploadDialogTest, RootFolderIsAskedForAndPickedFilesGoThere) {
    FtpTestServer server(served.path());
    auto dialog = MakeDialog(&server);
    ASSERT_TRUE(dialog->Start());
    QTreeWidgetItem* root = Root(*dialog);
    ui.ExpectQuestion(false);
    Choose(*dialog, root);
    EXPECT_EQ(dialog->ftp_directory->text(), "");
    ui.ExpectQuestion(true);
    Choose(*dialog, root);
    EXPECT_EQ(dialog->ftp_directory->text(), "/");
    EXPECT_EQ(ui.questions, std::vector<std::string>(2, kRootDirectoryQuestion));

    // Files picked from another folder replace the list, and that folder becomes the source.
    MakeFolder(dir / "images");
    WriteBytes(dir / "images/a.gif", "GIF89a");
    WriteBytes(dir / "images/b.gif", "GIF87a");
    dialog->TakeBrowsedFiles({dir / "images/a.gif", dir / "images/b.gif"});
    EXPECT_EQ(dialog->local_directory->text().toStdString(), dir / "images");
    EXPECT_EQ(dialog->file_names->text(), "a.gif b.gif ");
    dialog->upload_button->click();
    EXPECT_EQ(ui.messages, std::vector<std::string>{kUploadDoneMessage});
    EXPECT_EQ(ReadBytes(served / "a.gif"), "GIF89a");
    EXPECT_EQ(ReadBytes(served / "b.gif"), "GIF87a");
}

TEST_F(UploadDialogTest, TickedVisibleFilesAreDeletedFromServerAndTree) {
    WriteBytes(served / "www/keep.htm", "keep");
    FtpTestServer server(served.path());
    auto dialog = MakeDialog(&server);
    ASSERT_TRUE(dialog->Start());
    CFtpTreeCtrl& tree = dialog->RemoteTreeCtrl();
    QTreeWidgetItem* www = Child(Root(*dialog), "www");
    ClickButton(tree, www);
    ClickCheckBox(tree, Child(Root(*dialog), "index.htm"));
    ClickCheckBox(tree, Child(www, "old.htm"));
    ClickCheckBox(tree, www);  // a folder is never deleted

    ui.ExpectQuestion(false);
    dialog->delete_button->click();
    EXPECT_TRUE(Exists(served / "index.htm"));
    ui.ExpectQuestion(true);
    dialog->delete_button->click();
    EXPECT_EQ(ui.questions.back(),
              "チェックマークの付いたファイルを削除します。2個のファイルを削除しますか？");
    EXPECT_EQ(ui.messages, std::vector<std::string>{kDeleteDoneMessage});
    EXPECT_FALSE(Exists(served / "index.htm"));
    EXPECT_FALSE(Exists(served / "www/old.htm"));
    EXPECT_TRUE(Exists(served / "www/keep.htm"));
    EXPECT_EQ(Labels(Root(*dialog)), QStringList({"tmp", "www"}));
    EXPECT_EQ(Labels(www), QStringList({"keep.htm"}));
}

TEST_F(UploadDialogTest, DroppedConnectionIsReportedAndTheWindowCarriesOn) {
    FtpTestServer::Options dropping;
    dropping.drop_on = "b.htm";
    FtpTestServer server(served.path(), dropping);
    auto dialog = MakeDialog(&server);
    ASSERT_TRUE(dialog->Start());
    for (const char* name : {"a.htm", "b.htm", "c.htm"}) {
        WriteBytes(dir / name, name);
    }
    dialog->TakeBrowsedFiles({dir / "a.htm", dir / "b.htm", dir / "c.htm"});
    Choose(*dialog, Child(Root(*dialog), "www"));
    dialog->upload_button->click();
    EXPECT_EQ(ui.messages, std::vector<std::string>{kConnectionResetMessage});
    EXPECT_EQ(ReadBytes(served / "www/a.htm"), "a.htm");
    EXPECT_FALSE(Exists(served / "www/c.htm"));
    EXPECT_TRUE(dialog->upload_progress->isHidden());

    // The writer connects again and goes on with what the server takes.
    ui.messages.clear();
    dialog->connect_button->click();
    ASSERT_TRUE(dialog->Session().IsConnected()) << ::testing::PrintToString(ui.messages);
    EXPECT_EQ(Labels(Root(*dialog)), QStringList({"index.htm", "tmp", "www"}));
    dialog->TakeBrowsedFiles({dir / "c.htm"});
    dialog->upload_button->click();
    EXPECT_EQ(ui.messages, std::vector<std::string>{kUploadDoneMessage});
    EXPECT_EQ(ReadBytes(served / "www/c.htm"), "c.htm");
}

TEST_F(UploadDialogTest, TreeFollowsTheWindowsSize) {
    auto dialog = MakeDialog();
    ASSERT_TRUE(dialog->Start());
    dialog->resize(dialog->sizeHint());
    QApplication::processEvents();
    const QSize before = dialog->RemoteTreeCtrl().size();
    dialog->resize(dialog->size() + QSize(200, 150));
    QApplication::processEvents();
    EXPECT_EQ(dialog->RemoteTreeCtrl().size(), before + QSize(200, 150));
}

}  // namespace
}  // namespace folix::testing
