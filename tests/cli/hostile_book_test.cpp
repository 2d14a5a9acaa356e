#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "history/history_store.h"
#include "support/control_file_header.h"
#include "support/ftp_test_server.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

namespace fs = std::filesystem;
using testing::FtpTestServer;
using testing::MakeFolder;
using testing::ProgramInput;
using testing::ProgramResult;
using testing::ReadBytes;
using testing::RunFolix;
using testing::TempFolder;
using testing::WriteBytes;

using namespace std::string_literals;

const std::string& kHeader = testing::kControlFileHeader;
// What a sender would like to take from the receiver's computer; none of it may reach the site,
// the TEXT file, the output or the server.
const std::string kSecret = "SECRET-OF-THE-RECEIVER";
// What the receiver keeps beside the book that a build must not touch.
const std::string kShellStartup = "echo the receiver's own start-up\n";
const std::string kServerPassword = "pw";
// The names the book's site, TEXT file and e-book take beside the book folder: the only files
// outside the book a command may create or change.
const std::set<std::string> kSiteNames = {
    "index.htm",   "index2_.htm", "index2_.css", "index3_.htm", "index4_.htm", "index5_.htm",
    "index6_.htm", "index.css",   "b.txt",       "x.htm",       "x.css",       "b.epub",
};

// A temporary home as a receiver has it: start-up files, a key, and a folder of books holding
// the received book "b" (books/b/b.flx, one ordinary page), set to build as index.htm.
class Home {
public:
    Home() {
        WriteBytes(dir / ".bashrc", kShellStartup);
        WriteBytes(dir / "secret.key", kSecret + "\n");
        MakeFolder(dir / "outside");
        WriteBytes(dir / "outside/secret.txt", kSecret + "\r\n");
        WriteBytes(dir / "x.lst", kSecret + "\r\n");
        MakeFolder(dir / "books/b");
        WriteBytes(dir / "books/b/b.flx", "");
        WriteBytes(dir / "books/b/plain.txt", "ふつうの本文\r\n");
        Run({"options", "books/b/b.flx", "html.file=index.htm", "text.allow=true",
             "html.frame=false"});
    }

    std::string operator/(std::string_view relative) const { return dir / relative; }
    std::string book(std::string_view relative) const {
        return dir / "books/b/" + std::string(relative);
    }

    ProgramResult Run(const std::vector<std::string>& args,
                      std::vector<std::string> environment = {}) const {
        environment.push_back("HOME=" + dir.path());
        environment.push_back("XDG_CONFIG_HOME=" + dir / ".config");
        environment.push_back("FOLIX_TEST_SECRET=" + kSecret);
        return RunFolix(args, dir.path(), ProgramInput{kServerPassword + "\n", environment, 20});
    }

    // Replaces one value line (counted from 0 after the header) of a control file of the book,
    // as a sender would edit it.
    void SetControlLine(const std::string& file, size_t index, const std::string& value) const {
        const std::string path = book(file);
        std::vector<std::string> lines;
        const std::string bytes = ReadBytes(path);
        for (size_t start = kHeader.size(); start < bytes.size();) {
            const size_t end = bytes.find("\r\n", start);
            lines.push_back(bytes.substr(start, end - start));
            start = end + 2;
        }
        lines.resize(std::max(lines.size(), index + 1));
        lines[index] = value;
        std::string out = kHeader;
        for (const std::string& line : lines) {
            out += line + "\r\n";
        }
        WriteBytes(path, out);
    }

    // Every name under the home with what it is, links not followed: a file by its size and
    // time, so a change of its bytes shows.
    std::map<std::string, std::string> Snapshot() const {
        std::map<std::string, std::string> seen;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir.path())) {
            struct stat status {};
            ::lstat(entry.path().c_str(), &status);
            std::string what = S_ISLNK(status.st_mode) ? "link " + fs::read_symlink(entry).string()
                               : S_ISDIR(status.st_mode) ? "folder"
                               : S_ISREG(status.st_mode)
                                   ? "file " + std::to_string(status.st_size) + " " +
                                         std::to_string(status.st_mtim.tv_sec) + "." +
                                         std::to_string(status.st_mtim.tv_nsec)
                                   : "other";
            seen[entry.path().string().substr(dir.path().size())] = what;
        }
        return seen;
    }

    TempFolder dir;
};

// The episodes a post writes beside the book.
const std::string kPostFolder = "/books/b-narou";

// Whether a change at this name (relative to the home) is the book's or its site's own.
bool IsBookOrSite(const std::string& name) {
    if (name.starts_with("/books/b/") || name == "/books/b") {
        return true;
    }
    if (name.starts_with(kPostFolder + "/") || name == kPostFolder) {
        return true;
    }
    return name.starts_with("/books/") && kSiteNames.contains(name.substr(7));
}

struct HostileBook {
    const char* attempt;  // what the sender tried
    std::function<void(const Home&)> arrange;
    std::vector<std::vector<std::string>> commands;  // each run with the book after its name
    std::string message;                             // in what the commands said, unless empty
    std::function<void(const Home&)> also = {};
    std::optional<FtpTestServer::Options> server = std::nullopt;
    // Names that are no part of the book: no command may print them, and no stored order may
    // hold them afterwards.
    std::vector<std::string> unnamed = {};
};

FtpTestServer::Options EndlessListingServer() {
    FtpTestServer::Options options;
    options.listing = "endless";
    return options;
}

// Every file of the book's e-book, unpacked, one after another: what the compressed bytes hold.
std::string UnpackedEbook(const Home& h) {
    const ProgramResult unpacked = testing::RunProgram(
        {"/usr/bin/python3", "-m", "zipfile", "-e", h / "books/b.epub", h / "unpacked"}, h / "");
    EXPECT_EQ(unpacked.exit_code, 0) << unpacked.err;
    std::string all;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(h / "unpacked")) {
        if (entry.is_regular_file()) {
            all += ReadBytes(entry.path());
        }
    }
    fs::remove_all(h / "unpacked");
    return all;
}

void Link(const std::string& target, const std::string& at) {
    fs::create_symlink(target, at);
}

const std::vector<HostileBook> kHostileBooks = {
    {"a page name leading out of the book: ../.bash_login",
     [](const Home& h) { h.SetControlLine("html_options.flc", 2, "../.bash_login"); },
     {{"html"}},
     "../.bash_loginは不正です。"},
    {"a page name inside the book, where a link to the start-up file waits",
     [](const Home& h) {
         h.SetControlLine("html_options.flc", 2, "b/x.htm");
         Link("../../.bashrc", h.book("x.htm"));
     },
     {{"html", "--yes"}},
     "b/x.htmが開けません。(3)"},
    {"page names holding a folder other than the book's own",
     [](const Home& h) { h.SetControlLine("html_options.flc", 2, "b/../x.htm"); },
     {{"html", "--yes"}, {"options", "html.file=bb/x.htm"}, {"options", "html.file=b/c/x.htm"}},
     "b/../x.htmは不正です。",
     [](const Home& h) {
         EXPECT_NE(h.Run({"options", "books/b/b.flx", "html.file=b\\c\\x.htm"})
                       .err.find("b\\c\\x.htmは不正です。"),
                   std::string::npos);
     }},
    {"a link beside the book at the page's own name, recorded as written last time",
     [](const Home& h) {
         h.SetControlLine("html_options.flc", 2, "x.htm");
         h.SetControlLine("html_options.flc", 1, h / "books/x.htm");
         Link("../.bashrc", h / "books/x.htm");
     },
     {{"html", "--yes"}},
     "x.htmが開けません。(3)"},
    {"a stored last-written path outside the site: ../victim.htm",
     [](const Home& h) {
         WriteBytes(h / "victim.htm", kShellStartup);
         h.SetControlLine("html_options.flc", 2, "../victim.htm");
         h.SetControlLine("html_options.flc", 1, h / "books/../victim.htm");
     },
     {{"html"}, {"upload", "--server", "127.0.0.1:1", "--dir", "/www"}},
     "../victim.htmは不正です。"},
    {"a contents file linked to a start-up file that does not exist yet",
     [](const Home& h) {
         Link("../../.bash_login", h.book("contents.flc"));
         MakeFolder(h.book("x;touch PWNED;#"));
     },
     {{"ls"}, {"html"}, {"text"}, {"epub"}},
     "contents.flcが開けません。(3)",
     [](const Home& h) { EXPECT_FALSE(testing::Exists(h / ".bash_login")); }},
    {"a TEXT extension with folders in it",
     [](const Home& h) {
         h.SetControlLine("options.flc", 2, "txt/../../x.txt");
         MakeFolder(h / "books/b.txt");
     },
     {{"text"}},
     "txt/../../x.txtは不正です。",
     [](const Home& h) { EXPECT_FALSE(testing::Exists(h / "x.txt")); }},
    {"chapters linked to a key and to the environment",
     [](const Home& h) {
         Link("../../secret.key", h.book("a.txt"));
         Link("/proc/self/environ", h.book("b.txt"));
         Link(h / "secret.key", h.book("c.lst"));
         WriteBytes(h.book("d.txt"), "<IMBED>c\r\n");
     },
     {{"ls"}, {"html"}, {"text"}, {"search", "SECRET"}, {"epub"}, {"post", "--site", "narou"}},
     "c.lstが開けません。(3)",
     [](const Home& h) { EXPECT_EQ(UnpackedEbook(h).find(kSecret), std::string::npos); }},
    {"an e-book cover named outside the book",
     [](const Home& h) {
         WriteBytes(h.book("epub.flc"), kHeader + "\r\n\r\n\r\n\r\n\r\n../secret.key\r\n");
     },
     {{"epub"}},
     "../secret.keyは不正です。",
     [](const Home& h) { EXPECT_EQ(UnpackedEbook(h).find(kSecret), std::string::npos); }},
    {"an e-book cover linked to a key",
     [](const Home& h) { Link("../../secret.key", h.book("cover.png")); },
     {{"epub", "--cover", "cover.png"}},
     "cover.pngが開けません。(3)"},
    {"embedded lists named outside the book, one with a NUL to cut the extension off",
     [](const Home& h) {
         std::string up_to_root;
         for (int i = 0; i < 10; ++i) {
             up_to_root += "../";
         }
         WriteBytes(h.book("plain.txt"), "<IMBED>../../x\r\n<IMBED>" + up_to_root +
                                             "etc/hostname\0\r\n<IMBED>../../secret.key\0\r\n"
                                             "ふつうの本文\r\n"s);
     },
     {{"html"}},
     "<IMBED>../../xは不正です。",
     [](const Home& h) {
         const std::string page = ReadBytes(h / "books/index.htm");
         EXPECT_NE(page.find("ふつうの本文"), std::string::npos);
     }},
    {"lists named through a link to a folder outside the book, from the root, in a hidden folder",
     [](const Home& h) {
         Link("../..", h.book("out"));
         MakeFolder(h.book("lists"));
         Link("../../../x.lst", h.book("lists/x.lst"));
         MakeFolder(h.book(".hidden"));
         WriteBytes(h.book(".hidden/x.lst"), "隠し\r\n");
         WriteBytes(h.book("plain.txt"),
                    "<IMBED>out/x\r\n<IMBED>out\\x\r\n<IMBED>lists/x\r\n<IMBED>" + h / "x" +
                        "\r\n<IMBED>.hidden/x\r\nふつうの本文\r\n");
     },
     {{"html"}, {"epub"}},
     "<IMBED>out/xは不正です。",
     [](const Home& h) {
         const std::string said = h.Run({"html", "books/b/b.flx"}).err;
         for (const std::string& refused : std::vector<std::string>{
                  "<IMBED>out\\xは不正です。", "lists/x.lstが開けません。(3)",
                  "<IMBED>" + h / "x" + "は不正です。", "<IMBED>.hidden/xは不正です。"}) {
             EXPECT_NE(said.find(refused), std::string::npos) << refused << said;
         }
         const std::string page = ReadBytes(h / "books/index.htm");
         EXPECT_NE(page.find("ふつうの本文"), std::string::npos);
         EXPECT_EQ(page.find("隠し"), std::string::npos);
         EXPECT_EQ(UnpackedEbook(h).find(kSecret), std::string::npos);
     }},
    {"an upload of a key the book names as its last page",
     [](const Home& h) {
         h.SetControlLine("html_options.flc", 1, h / "secret.key");
         h.SetControlLine("html_options.flc", 0, "/");
     },
     {{"upload", "--server", "SERVER", "--user", "writer", "--password-stdin", "--dir", "/www"}},
     "HTML作成ボタンを押してHTMLファイルを更新してください。",
     {},
     FtpTestServer::Options{}},
    {"an upload to the remote folder the book chose",
     [](const Home& h) { h.SetControlLine("html_options.flc", 0, "/"); },
     {{"html"}, {"upload", "--server", "SERVER", "--user", "writer", "--password-stdin"}},
     "/へアップロードしますか？ -> いいえ",
     {},
     FtpTestServer::Options{}},
    {"a history linked to a repository outside holding a key",
     [](const Home& h) {
         HistoryStore outside(h / "outside");
         ASSERT_TRUE(outside.Record("plain.txt", kSecret, VersionCause::kSave));
         Link("../../outside/.folix-history", h.book(".folix-history"));
     },
     {{"history", "plain.txt"},
      {"history", "plain.txt", "--show", "1"},
      {"history", "plain.txt", "--restore", "1"},
      {"ls"},
      {"html"},
      {"search", "SECRET"},
      {"epub"}},
     kHistoryLinkMessage,
     [](const Home& h) { EXPECT_EQ(ReadBytes(h.book("plain.txt")), "ふつうの本文\r\n"); }},
    {"a damaged history borrowing the objects of a repository outside",
     [](const Home& h) {
         HistoryStore outside(h / "outside");
         ASSERT_TRUE(outside.Record("plain.txt", kSecret, VersionCause::kSave));
         fs::copy(h / "outside/.folix-history", h.book(".folix-history"),
                  fs::copy_options::recursive);
         fs::remove_all(h.book(".folix-history/objects"));
         MakeFolder(h.book(".folix-history/objects"));
         MakeFolder(h.book(".folix-history/objects/info"));
         WriteBytes(h.book(".folix-history/objects/info/alternates"),
                    h / "outside/.folix-history/objects\n");
     },
     {{"history", "plain.txt"},
      {"history", "plain.txt", "--show", "1"},
      {"history", "plain.txt", "--restore", "1"}},
     kHistoryDamagedMessage,
     [](const Home& h) { EXPECT_EQ(ReadBytes(h.book("plain.txt")), "ふつうの本文\r\n"); }},
    {"a history of the book's own holding an old text",
     [](const Home& h) {
         HistoryStore own(h / "books/b");
         ASSERT_TRUE(own.Record("plain.txt", kSecret, VersionCause::kSave));
         ASSERT_TRUE(own.Repack());
         ASSERT_TRUE(own.Record("plain.txt", kSecret + "2", VersionCause::kSave));
     },
     {{"ls"},
      {"html"},
      {"text"},
      {"search", "SECRET"},
      {"search", "folix", "--name"},
      {"epub"},
      {"upload", "--server", "SERVER", "--user", "writer", "--password-stdin", "--dir", "/www"}},
     "",
     {},
     FtpTestServer::Options{},
     {".folix-history", "pack-"}},
    {"a folder linked to a folder outside the book",
     [](const Home& h) { Link("../../outside", h.book("linked")); },
     {{"ls"}, {"html"}, {"text"}, {"search", "SECRET"}, {"epub"}, {"post", "--site", "narou"}},
     "",
     [](const Home& h) {
         EXPECT_EQ(h.Run({"ls", "books/b/b.flx"}).out.find("linked"), std::string::npos);
         EXPECT_EQ(UnpackedEbook(h).find(kSecret), std::string::npos);
     }},
    {"folders linked into loops",
     [](const Home& h) {
         Link(".", h.book("a"));
         Link("..", h.book("c"));
         MakeFolder(h.book("d"));
         Link("../d", h.book("d/e"));
     },
     {{"ls"}, {"html"}, {"text"}, {"search", "本文"}, {"epub"}},
     "",
     [](const Home& h) {
         const std::string listing = h.Run({"ls", "books/b/b.flx"}).out;
         EXPECT_NE(listing.find("\n  d/\n"), std::string::npos) << listing;
         for (const char* link : {"  a/\n", "  c/\n", "e/\n"}) {
             EXPECT_EQ(listing.find(link), std::string::npos) << listing;
         }
     }},
    {"a FIFO, a device and a file far larger than any chapter",
     [](const Home& h) {
         ASSERT_EQ(::mkfifo(h.book("fifo.txt").c_str(), 0600), 0);
         Link("/dev/zero", h.book("zero.txt"));
         WriteBytes(h.book("huge.txt"), "");
         ASSERT_EQ(::truncate(h.book("huge.txt").c_str(), 65 << 20), 0);
         WriteBytes(h.book("big.lst"), "");
         ASSERT_EQ(::truncate(h.book("big.lst").c_str(), 17 << 20), 0);
         WriteBytes(h.book("uses.txt"), "<IMBED>big\r\n");
     },
     {{"ls"}, {"html"}, {"text"}, {"search", "本文"}, {"epub"}},
     "huge.txtは大きすぎるため開けません。",
     [](const Home& h) {
         EXPECT_NE(h.Run({"html", "books/b/b.flx"}).err.find("big.lstの埋め込みが多すぎるため"),
                   std::string::npos);
     }},
    {"a link and a FIFO among the pages, the link named in the stored order",
     [](const Home& h) {
         ASSERT_EQ(::mkfifo(h.book("fifo-page.txt").c_str(), 0600), 0);
         Link("plain.txt", h.book("link-page.txt"));
         Link("../../outside/secret.txt", h.book("away-page.txt"));
         WriteBytes(h.book("contents.flc"), kHeader + "llink-page.txt\r\nlplain.txt\r\n");
     },
     {{"ls"}, {"html"}, {"text"}, {"search", "本文"}, {"epub"}},
     "",
     [](const Home& h) {
         const std::string listing = h.Run({"ls", "books/b/b.flx"}).out;
         EXPECT_EQ(listing.rfind("b/\n  plain.txt\n", 0), 0u) << listing;
     },
     std::nullopt,
     {"fifo-page", "link-page", "away-page"}},
    {"a server whose listing never ends",
     [](const Home& h) {
         ASSERT_EQ(h.Run({"html", "books/b/b.flx"}).exit_code, 0);
     },
     {{"upload", "--server", "SERVER", "--user", "writer", "--password-stdin", "--dir", "/www"}},
     "/の一覧が長すぎるため、読むのをやめました。",
     {},
     EndlessListingServer()},
    {"option values holding line ends",
     [](const Home&) {},
     {{"options", "html.date-before=a\r\nb"}, {"options", "text.prefix=\x1b"}},
     "text.prefix=\\x1bは不正です。",
     [](const Home& h) {
         const std::string options = h.Run({"options", "books/b/b.flx"}).out;
         EXPECT_NE(options.find("html.date-before=\nhtml.date-after=更新\n"), std::string::npos);
         EXPECT_NE(options.find("text.prefix=\n"), std::string::npos);
     }},
    {"names holding terminal escapes",
     [](const Home& h) {
         MakeFolder(h.book("esc\x1b]0;owned\x07\x1b[2J"));
         WriteBytes(h.book("esc\x1b]0;owned\x07\x1b[2J/contents.flc"), "not ours\r\n");
         WriteBytes(h.book("esc\x1b]0;owned\x07\x1b[2J/in.txt"), "");
     },
     {{"ls"}},
     "esc\\x1b]0;owned\a\\x1b[2J/contents.flcの内容が不正です。"},
};

void PrintTo(const HostileBook& row, std::ostream* out) {
    *out << row.attempt;
}

class HostileBookTest : public ::testing::TestWithParam<HostileBook> {};

TEST_P(HostileBookTest, NothingOutsideTheBookAndItsSiteIsReadWrittenOrSent) {
    const HostileBook& row = GetParam();
    SCOPED_TRACE(row.attempt);
    Home home;
    TempFolder served;
    MakeFolder(served / "www");
    std::optional<FtpTestServer> server;
    if (row.server) {
        FtpTestServer::Options options = *row.server;
        options.password = kServerPassword;
        server.emplace(served.path(), options);
    }
    row.arrange(home);
    const auto before = home.Snapshot();

    std::string said;
    for (std::vector<std::string> args : row.commands) {
        args.insert(args.begin() + 1, "books/b/b.flx");
        for (std::string& arg : args) {
            if (arg == "SERVER") {
                arg = server->address();
            }
        }
        const auto start = std::chrono::steady_clock::now();
        ProgramResult result = home.Run(args);
        const auto seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
        EXPECT_GE(result.exit_code, 0) << args[0] << " was killed after " << seconds.count();
        EXPECT_EQ(result.out.find(kSecret), std::string::npos) << args[0];
        for (const std::string& name : row.unnamed) {
            EXPECT_EQ(result.out.find(name), std::string::npos) << args[0] << ": " << result.out;
            EXPECT_EQ(result.err.find(name), std::string::npos) << args[0] << ": " << result.err;
        }
        said += result.err;
    }
    if (!row.message.empty()) {
        EXPECT_NE(said.find(row.message), std::string::npos) << said;
    }

    const auto after = home.Snapshot();
    for (const auto& [name, what] : after) {
        if (IsBookOrSite(name)) {
            continue;
        }
        auto old = before.find(name);
        EXPECT_TRUE(old != before.end() && old->second == what) << name << " was made or changed";
    }
    for (const auto& [name, what] : before) {
        EXPECT_TRUE(after.contains(name)) << name << " is gone";
    }
    EXPECT_EQ(ReadBytes(home / ".bashrc"), kShellStartup);
    for (const std::string& site_name : kSiteNames) {
        if (fs::is_regular_file(home / "books/" + site_name)) {
            EXPECT_EQ(ReadBytes(home / "books/" + site_name).find(kSecret), std::string::npos)
                << site_name;
        }
    }
    if (fs::is_directory(home / kPostFolder.substr(1))) {
        for (const fs::directory_entry& entry :
             fs::directory_iterator(home / kPostFolder.substr(1))) {
            EXPECT_EQ(ReadBytes(entry.path()).find(kSecret), std::string::npos) << entry.path();
        }
    }
    // Only the site goes to the server.
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(served.path())) {
        const std::string name = entry.path().string().substr(served.path().size());
        if (entry.is_regular_file()) {
            EXPECT_TRUE(name.starts_with("/www/") && kSiteNames.contains(name.substr(5))) << name;
            EXPECT_EQ(ReadBytes(entry.path()).find(kSecret), std::string::npos) << name;
        }
    }
    for (const std::string& name : row.unnamed) {
        EXPECT_EQ(ReadBytes(home.book("contents.flc")).find(name), std::string::npos) << name;
    }
    if (row.also) {
        row.also(home);
    }
}

INSTANTIATE_TEST_SUITE_P(ReceivedBooks, HostileBookTest, ::testing::ValuesIn(kHostileBooks),
                         [](const ::testing::TestParamInfo<HostileBook>& row) {
                             return "Row" + std::to_string(row.index);
                         });

}  // namespace
}  // namespace folix
