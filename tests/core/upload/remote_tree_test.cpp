#include "upload/remote_tree.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/upload/upload_test_support.h"

namespace folix {
namespace {

using testing::ChildLabels;
using testing::ChildNamed;
using testing::FtpTestServer;
using testing::MakeFolder;
using testing::WriteBytes;

class RemoteTreeTest : public ::testing::Test {
protected:
    RemoteTreeTest() {
        MakeFolder(served / "www/docs");
        MakeFolder(served / "tmp");
        MakeFolder(served / "a/b/c");
        MakeFolder(served / "dots");
        WriteBytes(served / "index.htm", "");
        WriteBytes(served / ".profile", "");
        WriteBytes(served / "www/a.htm", "");
        WriteBytes(served / "www/.htaccess", "");
        WriteBytes(served / "a/b/c/page.htm", "");
        WriteBytes(served / "dots/.hidden", "");
    }

    void Connect() {
        ASSERT_TRUE(client.Connect({FtpProtocol::kFtp, "127.0.0.1", server.port()}, "writer",
                                   server.options().password));
    }

    testing::TempFolder served;
    FtpTestServer server{served.path()};
    CurlFtpClient client{testing::kTestTimeouts};
    testing::ScriptedUi ui;
    MemoryTreeControl control;
    RemoteTree tree{ui, control};
};

TEST_F(RemoteTreeTest, OnlyFoldersWithVisibleNamesGetAnExpandButton) {
    Connect();
    tree.Populate(&client, "");
    const TreeItem root = tree.root_item();
    EXPECT_EQ(control.GetItemText(root), "/");
    EXPECT_TRUE(control.IsExpanded(root));
    EXPECT_TRUE(tree.lines_at_root());
    // Dot-names are not shown, and a folder holding only those opens on nothing.
    EXPECT_EQ(ChildLabels(control, root),
              (std::vector<std::string>{"a/+", "dots/", "index.htm", "tmp/", "www/+"}));
    EXPECT_EQ(control.GetItemImage(ChildNamed(control, root, "index.htm")), kRemoteFileImage);

    const TreeItem www = ChildNamed(control, root, "www");
    control.Expand(www, true);
    EXPECT_EQ(ChildLabels(control, www), (std::vector<std::string>{"a.htm", "docs/"}));

    const TreeItem a = ChildNamed(control, root, "a");
    control.Expand(a, true);
    const TreeItem b = ChildNamed(control, a, "b");
    control.Expand(b, true);
    EXPECT_EQ(ChildLabels(control, b), (std::vector<std::string>{"c/+"}));
    EXPECT_EQ(tree.GetRemotePath(ChildNamed(control, b, "c")), "/a/b/c");
    EXPECT_EQ(tree.GetRemotePath(root), "/");
    EXPECT_EQ(tree.GetRemotePath(www), "/www");
}

TEST_F(RemoteTreeTest, PathOpensItsFoldersAndMarksWhereItEnds) {
    Connect();
    tree.Populate(&client, "/www/docs");
    const TreeItem www = ChildNamed(control, tree.root_item(), "www");
    const TreeItem docs = ChildNamed(control, www, "docs");
    EXPECT_TRUE(control.IsExpanded(www));
    EXPECT_EQ(control.GetSelectedItem(), docs);
    EXPECT_TRUE(control.IsItemBold(docs));

    // Doubled and trailing slashes do not matter; a path that ends at a folder with something
    // in it leaves that folder open and nothing selected.
    tree.Populate(&client, "//a//b/");
    const TreeItem a = ChildNamed(control, tree.root_item(), "a");
    const TreeItem b = ChildNamed(control, a, "b");
    EXPECT_TRUE(control.IsExpanded(b));
    EXPECT_EQ(control.GetSelectedItem(), kNoItem);

    // Names are matched exactly: a different letter case is not found.
    tree.Populate(&client, "/WWW/docs");
    EXPECT_FALSE(control.IsExpanded(ChildNamed(control, tree.root_item(), "www")));
    EXPECT_EQ(control.GetSelectedItem(), kNoItem);
}

TEST_F(RemoteTreeTest, ClosingAndOpeningAskTheServerAgainAndDropTicks) {
    Connect();
    tree.Populate(&client, "/www");
    const TreeItem www = ChildNamed(control, tree.root_item(), "www");
    control.SetItemChecked(ChildNamed(control, www, "a.htm"), true);
    WriteBytes(served / "www/new.htm", "");
    control.Expand(www, false);
    control.Expand(www, true);
    EXPECT_EQ(ChildLabels(control, www), (std::vector<std::string>{"a.htm", "docs/", "new.htm"}));
    EXPECT_FALSE(control.IsItemChecked(ChildNamed(control, www, "a.htm")));
}

TEST_F(RemoteTreeTest, WithoutConnectionOnlyTheNoticeShows) {
    Connect();
    tree.Populate(&client, "");
    tree.Populate(nullptr, "/www");
    const TreeItem notice = control.GetChildItem(kNoItem);
    EXPECT_EQ(control.GetItemText(notice), kNotConnectedNotice);
    EXPECT_EQ(control.GetNextSiblingItem(notice), kNoItem);
    EXPECT_FALSE(tree.IsDirectoryItem(notice));
    EXPECT_EQ(tree.GetRemotePath(notice), "");
    EXPECT_EQ(tree.connection(), nullptr);
    EXPECT_FALSE(tree.lines_at_root());
}

TEST(RemoteTreeEmptyServer, EmptyRootHasNoLinesAndNothingToOpen) {
    testing::TempFolder served;
    FtpTestServer server(served.path());
    CurlFtpClient client(testing::kTestTimeouts);
    ASSERT_TRUE(client.Connect({FtpProtocol::kFtp, "127.0.0.1", server.port()}, "writer",
                               server.options().password));
    testing::ScriptedUi ui;
    MemoryTreeControl control;
    RemoteTree tree(ui, control);
    tree.Populate(&client, "/www");
    EXPECT_EQ(control.GetChildItem(tree.root_item()), kNoItem);
    EXPECT_FALSE(tree.lines_at_root());
    EXPECT_GT(ui.waits, 0);
}

}  // namespace
}  // namespace folix
