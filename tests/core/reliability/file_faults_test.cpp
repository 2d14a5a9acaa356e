#include "book/file_faults.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>

#include "book/book_options.h"
#include "book/contents_file.h"
#include "book/control_file.h"
#include "book/editor_file.h"
#include "site/html_builder.h"
#include "site/text_builder.h"
#include "support/book_fixture.h"

namespace folix {
namespace {

using testing::BookFixture;
using testing::ReadBytes;
using testing::WriteBytes;

// Every file and folder under a folder: the relative path (a folder's ending in "/") and the
// bytes of a file.
using Snapshot = std::map<std::string, std::string>;

Snapshot TakeSnapshot(const std::string& folder) {
    Snapshot snapshot;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        std::string relative = std::filesystem::relative(entry.path(), folder).string();
        if (entry.is_directory()) {
            snapshot[relative + "/"] = "";
        } else {
            snapshot[relative] = ReadBytes(entry.path().string());
        }
    }
    return snapshot;
}

// Fails the n-th operation of one kind (counting from 1) with the error; counts them all.
class FaultPlan {
public:
    FaultPlan(FileOperation operation, int error, int fail_at)
        : operation_(operation), error_(error), fail_at_(fail_at) {
        SetFileFaultHook([this](FileOperation asked, const std::string&) {
            if (asked != operation_) {
                return 0;
            }
            return ++seen_ == fail_at_ ? error_ : 0;
        });
    }
    ~FaultPlan() { SetFileFaultHook({}); }
    FaultPlan(const FaultPlan&) = delete;
    FaultPlan& operator=(const FaultPlan&) = delete;

private:
    FileOperation operation_;
    int error_;
    int fail_at_;
    int seen_ = 0;
};

struct UserAction {
    const char* name;
    std::function<void(BookFixture&)> arrange;  // runs without faults
    std::function<void(BookFixture&)> act;

    friend void PrintTo(const UserAction& action, std::ostream* out) { *out << action.name; }
};

struct Fault {
    const char* name;
    FileOperation operation;
    int error;
};

const Fault kFaults[] = {
    {"disk full half-way", FileOperation::kWrite, ENOSPC},
    {"read-only folder", FileOperation::kCreate, EROFS},
    {"sync failed", FileOperation::kSync, EIO},
    {"rename refused", FileOperation::kRename, EACCES},
};

std::string Describe(const Snapshot& snapshot, const std::string& path) {
    auto found = snapshot.find(path);
    return found == snapshot.end() ? "(absent)" : "\"" + found->second.substr(0, 60) + "\"";
}

// A build that stops part-way records in its options the files it did write, a state no clean
// run passes through: a control file counts as whole when it has its header and ends its last
// line.
bool IsWholeRecord(const std::string& path, const Snapshot& snapshot) {
    auto found = snapshot.find(path);
    if (!path.ends_with(".flc") || found == snapshot.end()) {
        return false;
    }
    const std::string& bytes = found->second;
    return bytes.starts_with(std::string(kControlFileHeader) + "\r\n") && bytes.ends_with("\r\n");
}

// Every whole state each path was in during a clean run, "(absent)" included.
using Versions = std::map<std::string, std::set<std::string>>;

void AddVersions(Versions& versions, const Snapshot& snapshot) {
    for (const auto& [path, bytes] : snapshot) {
        versions[path].insert(Describe(snapshot, path));
    }
}

// Runs the action once cleanly to learn the states its files pass through and how many
// operations of each kind it makes, then once more for every one of those operations, failing
// it. Each failed run must tell the writer and leave every file in one of its clean states: as
// it was before, as the action left it, or (for a file the action writes twice, like the options
// a build saves as it goes) as the action had it between; never torn, and with no temporary
// file behind.
void CheckEveryFault(const UserAction& action) {
    Snapshot before;
    Snapshot after;
    Versions versions;
    std::map<FileOperation, int> counts;
    {
        BookFixture book;
        action.arrange(book);
        before = TakeSnapshot(book.dir.path());
        // Before each operation every earlier one has finished: a snapshot then sees each
        // state a file passes through.
        SetFileFaultHook([&](FileOperation operation, const std::string&) {
            ++counts[operation];
            AddVersions(versions, TakeSnapshot(book.dir.path()));
            return 0;
        });
        action.act(book);
        SetFileFaultHook({});
        after = TakeSnapshot(book.dir.path());
        EXPECT_TRUE(book.ui.messages.empty() && book.ui.notices.empty())
            << action.name << " failed without a fault";
    }
    ASSERT_NE(before, after) << action.name << " changed nothing";
    AddVersions(versions, before);
    AddVersions(versions, after);
    for (auto& [path, states] : versions) {
        if (!before.contains(path) || !after.contains(path)) {
            states.insert("(absent)");
        }
    }
    int runs = 0;
    for (const Fault& fault : kFaults) {
        for (int n = 1; n <= counts[fault.operation]; ++n, ++runs) {
            SCOPED_TRACE(std::string(action.name) + ", " + fault.name + " at operation " +
                         std::to_string(n));
            BookFixture book;
            action.arrange(book);
            {
                FaultPlan plan(fault.operation, fault.error, n);
                action.act(book);
            }
            EXPECT_FALSE(book.ui.messages.empty() && book.ui.notices.empty())
                << "the failure was not reported";
            Snapshot result = TakeSnapshot(book.dir.path());
            for (const auto& [path, bytes] : result) {
                EXPECT_EQ(path.find(".folix-"), std::string::npos) << "left behind: " << path;
            }
            Versions all = versions;
            AddVersions(all, result);
            for (const auto& [path, states] : all) {
                std::string now = Describe(result, path);
                EXPECT_TRUE(versions[path].contains(now) || IsWholeRecord(path, result))
                    << path << " is " << now << ", neither its old " << Describe(before, path)
                    << " nor its new " << Describe(after, path);
            }
        }
    }
    EXPECT_GT(runs, 0) << action.name << " wrote nothing through the file layer";
}

// A book with text, a chapter, a list and its options.
void ArrangeBook(BookFixture& book) {
    book.Make({"ch/", "ch/x.txt", "notes.lst"});
    WriteBytes(book.root + "/a.txt", "一行目\r\n<B>二行目</B>\r\n");
    WriteBytes(book.root + "/ch/x.txt", "章の本文\r\n");
    book.Store("", {"la.txt", "dch", "lnotes.lst"});
    book.Store("ch", {"lx.txt"});
}

void ArrangeTree(BookFixture& book) {
    ArrangeBook(book);
    book.Open(book.Attach());
}

// A book built once, then changed: its next build finds its templates and its own pages in
// place, so the walk writes the text page in that page's own temporary file.
HtmlOptions BuiltOptions(bool frame) {
    HtmlOptions options;
    options.html_file_name = "index.htm";
    options.frame = frame;
    return options;
}

void RebuildHtml(BookFixture& book, HtmlOptions& options) {
    HtmlBuilder builder(book.ui, SiteBook{book.root, book.dir.path()});
    builder.SetDate({2004, 5, 3});
    builder.MakeHtml(options);
}

void ArrangeBuiltBook(BookFixture& book, bool frame) {
    ArrangeBook(book);
    HtmlOptions options = BuiltOptions(frame);
    RebuildHtml(book, options);
    WriteBytes(book.root + "/ch/x.txt", "章の本文を書き直した\r\n");
}

TreeItem Item(BookFixture& book, const std::string& name) {
    return book.Child(book.Root(), name);
}

const UserAction kActions[] = {
    {"save", ArrangeBook,
     [](BookFixture& book) {
         TextEncoding encoding = TextEncoding::kUtf8;
         SaveEditorText(book.ui, book.root + "/a.txt", "書き直した本文\r\n", encoding);
     }},
    {"contents file", ArrangeBook,
     [](BookFixture& book) {
         InsertContentsEntry(book.ui, book.root, 1, EntryFromLine("lb.txt"));
     }},
    {"options file", ArrangeBook,
     [](BookFixture& book) {
         BookOptions options = LoadBookOptions(book.ui, book.root);
         options.m_strHeadPrefix = "■";
         SaveBookOptions(book.ui, book.root, options);
     }},
    {"new file", ArrangeTree,
     [](BookFixture& book) {
         book.fs.m_hContextItem = book.Root();
         book.fs.NewFile();
     }},
    {"new folder", ArrangeTree,
     [](BookFixture& book) {
         book.fs.m_hContextItem = book.Root();
         book.fs.NewFolder();
     }},
    {"add list", ArrangeTree,
     [](BookFixture& book) {
         book.fs.m_hContextItem = Item(book, "a.txt");
         book.fs.AddFile(".lst");
     }},
    {"delete", ArrangeTree,
     [](BookFixture& book) {
         book.ui.ExpectQuestion(true);
         book.fs.m_hContextItem = Item(book, "a.txt");
         book.fs.Delete();
     }},
    {"move into a folder", ArrangeTree,
     [](BookFixture& book) {
         TreeItem chapter = book.Open(Item(book, "ch"));
         book.fs.OnBegindrag(Item(book, "a.txt"));
         book.fs.OnMouseMove(book.Child(chapter, "x.txt"));
         book.fs.OnLButtonUp();
     }},
    {"rename", ArrangeTree,
     [](BookFixture& book) { book.fs.FinishLabelEdit(Item(book, "a.txt"), "序章"); }},
    {"html build with its templates", ArrangeBook,
     [](BookFixture& book) {
         HtmlBuilder builder(book.ui, SiteBook{book.root, book.dir.path()});
         builder.SetDate({2004, 5, 3});
         HtmlOptions options;
         options.html_file_name = "index.htm";
         builder.MakeHtml(options);
     }},
    {"html build over its last build, with frames",
     [](BookFixture& book) { ArrangeBuiltBook(book, true); },
     [](BookFixture& book) {
         HtmlOptions options = LoadHtmlOptions(book.ui, book.root);
         RebuildHtml(book, options);
     }},
    {"html build over its last build, one page",
     [](BookFixture& book) { ArrangeBuiltBook(book, false); },
     [](BookFixture& book) {
         HtmlOptions options = LoadHtmlOptions(book.ui, book.root);
         RebuildHtml(book, options);
     }},
    {"text build", ArrangeBook,
     [](BookFixture& book) {
         TextBuilder builder(book.ui, SiteBook{book.root, book.dir.path()});
         BookOptions options;
         options.m_bAllowText = true;
         builder.MakeText(options);
     }},
};

class EveryWritingAction : public ::testing::TestWithParam<UserAction> {};

TEST_P(EveryWritingAction, FailsWholeAndSaysSo) {
    CheckEveryFault(GetParam());
}

INSTANTIATE_TEST_SUITE_P(FileFaults, EveryWritingAction, ::testing::ValuesIn(kActions),
                         [](const ::testing::TestParamInfo<UserAction>& action) {
                             std::string name = action.param.name;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) {
                                     c = '_';
                                 }
                             }
                             return name;
                         });

bool Told(const testing::ScriptedUi& ui, const std::string& words) {
    for (const auto* texts : {&ui.messages, &ui.notices}) {
        for (const std::string& text : *texts) {
            if (text.find(words) != std::string::npos) {
                return true;
            }
        }
    }
    return false;
}

// The writer is told which file was not saved, and it keeps its old bytes whatever failed.
TEST(FileFaults, SaveSaysWhyAndKeepsTheOldText) {
    for (const Fault& fault : kFaults) {
        SCOPED_TRACE(fault.name);
        BookFixture book;
        ArrangeBook(book);
        const std::string before = ReadBytes(book.root + "/a.txt");
        TextEncoding encoding = TextEncoding::kUtf8;
        {
            FaultPlan plan(fault.operation, fault.error, 1);
            EXPECT_FALSE(SaveEditorText(book.ui, book.root + "/a.txt", "新しい本文", encoding));
        }
        EXPECT_TRUE(Told(book.ui, "a.txt"));
        EXPECT_EQ(ReadBytes(book.root + "/a.txt"), before);
    }
}

// A file that vanishes between the walk's listing and its reading is reported by name; the
// build goes on with the rest of the book.
TEST(FileFaults, FileVanishingDuringABuildIsReportedAndSkipped) {
    BookFixture book;
    ArrangeBook(book);
    SetFileFaultHook([](FileOperation operation, const std::string& path) {
        return operation == FileOperation::kRead && path.ends_with("/ch/x.txt") ? ENOENT : 0;
    });
    TextBuilder builder(book.ui, SiteBook{book.root, book.dir.path()});
    BookOptions options;
    options.m_bAllowText = true;
    builder.MakeText(options);
    SetFileFaultHook({});
    EXPECT_TRUE(Told(book.ui, "x.txt"));
    const std::string text = ReadBytes(book.dir / "novel.txt");
    EXPECT_NE(text.find("二行目"), std::string::npos);
    EXPECT_EQ(text.find("章の本文"), std::string::npos);
}

// A chapter that vanishes (or becomes unreadable) between the walk's listing of its parent and
// the listing of its own files is named too, in either build; the rest is built.
TEST(FileFaults, FolderVanishingDuringABuildIsReported) {
    for (bool html : {false, true}) {
        SCOPED_TRACE(html ? "html" : "text");
        BookFixture book;
        ArrangeBook(book);
        SetFileFaultHook([](FileOperation operation, const std::string& path) {
            return operation == FileOperation::kList && path.ends_with("/ch") ? ENOENT : 0;
        });
        if (html) {
            HtmlBuilder builder(book.ui, SiteBook{book.root, book.dir.path()});
            HtmlOptions options;
            options.html_file_name = "index.htm";
            builder.MakeHtml(options);
        } else {
            TextBuilder builder(book.ui, SiteBook{book.root, book.dir.path()});
            BookOptions options;
            options.m_bAllowText = true;
            builder.MakeText(options);
        }
        SetFileFaultHook({});
        EXPECT_TRUE(Told(book.ui, "/ch"));
        const std::string out = ReadBytes(book.dir / (html ? "index3_.htm" : "novel.txt"));
        EXPECT_NE(out.find("二行目"), std::string::npos);
    }
}

}  // namespace
}  // namespace folix
