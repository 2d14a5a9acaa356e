#include <unistd.h>

#include "model/tree_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "book/file_io.h"
#include "model/book_search.h"
#include "model/memory_editor_control.h"
#include "rtf/book_text.h"
#include "support/book_fixture.h"
#include "support/control_file_header.h"

namespace folix {
namespace {

using testing::BookFixture;
using testing::Exists;
using testing::kControlFileHeader;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

constexpr char kLockNotice[] =
    "今はできません。folix検索ダイアログのリセットボタンを押してやり直してください。";

class TreeSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        book.Make({"ch/", "ch/sub/", "empty/"});
        Write("a.txt", "猫がいる。cat");
        Write("ch/b.txt", "ｃａｔ");
        Write("ch/c.txt", "dog");
        Write("ch/sub/d.txt", "CAT");
        Write("e.txt", "nothing here");
        book.Attach();
    }

    void Write(const std::string& relative, const std::string& text) {
        WriteBytes(book.root + "/" + relative, text);
    }

    // The whole tree in pre-order, one line an item: indent, file name, image.
    Lines Snapshot() const {
        Lines lines;
        const BookTree& tree = book.fs.Tree();
        for (TreeItem item = book.Root(); item != kNoItem; item = book.fs.NextItem(item)) {
            int depth = 0;
            for (TreeItem up = book.tree.GetParentItem(item); up != kNoItem;
                 up = book.tree.GetParentItem(up)) {
                ++depth;
            }
            lines.push_back(std::string(static_cast<size_t>(depth), ' ') + tree.ItemFileName(item) +
                            " " + std::to_string(static_cast<int>(tree.GetItemImage(item))));
        }
        return lines;
    }

    // The files the search marked, by name.
    std::set<std::string> Hits() const {
        std::set<std::string> hits;
        for (TreeItem item = book.Root(); item != kNoItem; item = book.fs.NextItem(item)) {
            if (book.tree.GetItemImage(item) == kImageFileHit) {
                hits.insert(book.fs.Tree().ItemFileName(item));
            }
        }
        return hits;
    }

    void Search(const std::string& text, bool keep = false) {
        book.fs.Options().m_bFindKeep = keep;
        book.fs.SearchTree(text);
    }

    TreeItem Find(const std::string& name) const {
        for (TreeItem item = book.Root(); item != kNoItem; item = book.fs.NextItem(item)) {
            if (book.fs.Tree().ItemFileName(item) == name) {
                return item;
            }
        }
        ADD_FAILURE() << "no item " << name;
        return kNoItem;
    }

    BookFixture book;
};

TEST_F(TreeSearchTest, PrunedSearchLeavesTheHitsAndTheFoldersLeadingToThem) {
    Search("cat");
    EXPECT_EQ(Snapshot(),
              (Lines{"novel 7", " a.txt 8", " ch 7", "  b.txt 8", "  sub 7", "   d.txt 8"}));
    const BookTree& tree = book.fs.Tree();
    EXPECT_TRUE(tree.m_bSearchLock);
    EXPECT_TRUE(tree.m_bSearchMarks);
    EXPECT_FALSE(book.tree.HasSingleExpandStyle());
    EXPECT_EQ(book.tree.GetSelectedItem(), book.Root());
    EXPECT_TRUE(book.tree.IsExpanded(Find("sub")));
    EXPECT_TRUE(book.ui.messages.empty());
    EXPECT_GE(book.ui.waits, 1);

    // Closing a folder and editing the tree are refused until the reset.
    book.tree.Expand(Find("ch"), false);
    EXPECT_TRUE(book.tree.IsExpanded(Find("ch")));
    book.fs.m_hContextItem = book.Root();
    book.fs.NewFile();
    EXPECT_EQ(book.ui.notices, (Lines{kLockNotice, kLockNotice}));
    EXPECT_FALSE(Exists(book.root + "/新規.txt"));
}

TEST_F(TreeSearchTest, KeptSearchMarksEveryFileAndClosesTheFolders) {
    book.Make({"index.htm"});
    Search("cat", true);
    EXPECT_EQ(Snapshot(), (Lines{"novel 7", " a.txt 8", " ch 6", "  b.txt 8", "  c.txt 3",
                                 "  sub 6", "   d.txt 8", " e.txt 3", " empty 4", " index.htm 3"}));
    EXPECT_TRUE(book.tree.IsExpanded(book.Root()));
    EXPECT_FALSE(book.tree.IsExpanded(Find("ch")));
    const BookTree& tree = book.fs.Tree();
    EXPECT_TRUE(tree.m_bSearchLock);
    EXPECT_FALSE(tree.m_bSearchMarks);
    EXPECT_TRUE(book.tree.HasSingleExpandStyle());  // the writer's choice is back

    // Folders may be opened again, keeping their mark; edits are still refused.
    book.tree.Expand(Find("ch"), true);
    EXPECT_EQ(book.tree.GetItemImage(Find("ch")), kImageOpenFolderAboveHit);
    book.fs.m_hContextItem = Find("e.txt");
    book.fs.Delete();
    EXPECT_EQ(book.ui.notices, Lines{kLockNotice});
    EXPECT_TRUE(Exists(book.root + "/e.txt"));
}

TEST_F(TreeSearchTest, WithCaseOnlyTheExactTextIsAHit) {
    book.fs.Options().m_bFindCase = true;
    Search("cat");
    EXPECT_EQ(Hits(), std::set<std::string>{"a.txt"});
    Search("ＣＡＴ");
    EXPECT_TRUE(Hits().empty());
    book.fs.Options().m_bFindCase = false;
    Search("ＣＡＴ");
    EXPECT_EQ(Hits(), (std::set<std::string>{"a.txt", "b.txt", "d.txt"}));
}

TEST_F(TreeSearchTest, PrunedSearchWithoutHitsHoldsTheBareRootUntilReset) {
    book.fs.Options().m_bMultiFolder = true;
    Search("zebra");
    EXPECT_EQ(Snapshot(), Lines{"novel 2"});
    EXPECT_TRUE(book.fs.GuardExpanding(book.Root(), true));
    EXPECT_EQ(book.ui.notices, Lines{kLockNotice});

    Write("new.txt", "");
    book.fs.SearchTree("");  // the reset button
    const BookTree& tree = book.fs.Tree();
    EXPECT_FALSE(tree.m_bSearchLock);
    EXPECT_FALSE(tree.m_bSearchMarks);
    EXPECT_FALSE(book.tree.HasSingleExpandStyle());
    EXPECT_EQ(book.Names(book.Root()), (Lines{"a.txt", "ch", "e.txt", "empty", "new.txt"}));
    EXPECT_EQ(book.tree.GetItemImage(book.Root()), kImageOpenFolder);
    EXPECT_FALSE(book.fs.GuardExpanding(Find("ch"), true));
}

TEST_F(TreeSearchTest, ResetDropsTheMarksOfAKeptSearch) {
    Search("dog", true);
    book.fs.ResetTree();
    EXPECT_EQ(Snapshot(),
              (Lines{"novel 2", " a.txt 3", " ch 1", "  dummy 0", " e.txt 3", " empty 4"}));
    EXPECT_FALSE(book.fs.Tree().m_bSearchLock);
}

TEST_F(TreeSearchTest, UnreadableFileCountsAsNoHitAndTheSearchGoesOn) {
    // Far larger than any chapter: refused before it is read.
    Write("ch/huge.txt", "");
    ASSERT_EQ(::truncate((book.root + "/ch/huge.txt").c_str(), kMaxReadBytes + 1), 0);
    Search("cat", true);
    EXPECT_EQ(Hits(), (std::set<std::string>{"a.txt", "b.txt", "d.txt"}));
    EXPECT_EQ(book.tree.GetItemImage(Find("huge.txt")), kImageEditableFile);
    ASSERT_EQ(book.ui.messages.size(), 1u);
    EXPECT_EQ(book.ui.messages[0], book.root + "/ch/huge.txt" + "は大きすぎるため開けません。");
}

TEST_F(TreeSearchTest, PersonNameFindsTitlesAndTextWithOrWithoutTheSpace) {
    Write("山田 太郎.txt", "");
    Write("会話.txt", "「おい」と山田太郎は言った。");
    Write("別人.txt", "山田花子");
    Write("Dr.Yamada Taro.txt", "");
    book.fs.Options().m_bFindName = true;
    Search("山田　太郎");
    EXPECT_EQ(Hits(), (std::set<std::string>{"山田 太郎.txt", "会話.txt"}));
    Search("ｄｒ．ｙａｍａｄａ taro");
    EXPECT_EQ(Hits(), std::set<std::string>{"Dr.Yamada Taro.txt"});
}

TEST_F(TreeSearchTest, FindsTheBaseWithOrWithoutItsRubyAndTheRubyToo) {
    Write("group.txt", "｜親文字《おやもじ》");
    Write("mono.txt", "親《おや》文字《もじ》");
    Write("plain.txt", "親文字");
    Write("dots.txt", "《《強調》》の山田《やまだ》太郎《たろう》");
    struct Row {
        const char* search;
        bool name;
        std::set<std::string> hits;
    };
    const Row rows[] = {
        {"親文字", false, {"group.txt", "mono.txt", "plain.txt"}},
        {"おやもじ", false, {"group.txt"}},
        {"もじ", false, {"group.txt", "mono.txt"}},
        {"強調の", false, {"dots.txt"}},
        {"《《強調", false, {"dots.txt"}},
        {"山田太郎", true, {"dots.txt"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.search);
        book.fs.Options().m_bFindName = row.name;
        Search(row.search);
        EXPECT_EQ(Hits(), row.hits);
    }
}

TEST_F(TreeSearchTest, WholeWordSearchWithoutAWindowReadsEachFile) {
    Write("w1.txt", "concat");
    Write("w2.txt", "the Cat.");
    book.fs.Options().m_bFindWord = true;
    Search("cat");
    EXPECT_EQ(Hits(), (std::set<std::string>{"a.txt", "d.txt", "w2.txt"}));
    book.fs.Options().m_bFindCase = true;
    Search("cat");
    EXPECT_EQ(Hits(), std::set<std::string>{"a.txt"});
}

// The command line's walk of the folders marks what the tree search marks, in tree order, on
// a book with every kind of file the search reads: Shift_JIS, rich text, widths, words,
// person names, ruby, a stored order, and folders the tree shows as empty or hides.
TEST_F(TreeSearchTest, TheBookWalkFindsWhatTheTreeSearchMarks) {
    book.Make({"ch/sub/deep/", "lists/", ".hidden/", "山田 太郎/", "edge/"});
    Write("ch/sjis.txt", "\x95\x5c\x8e\xa6\x82\xcc\x94\x4c cat");      // 表示の猫 cat
    Write("ch/名前.txt", "\x8e\x52\x93\x63\x81\x40\x91\xbe\x98\x59");  // 山田　太郎
    Write("ch/rich.txt",
          "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0 MS Mincho;}}\\f0 The Cat \\'94\\'4c\\par}");
    Write("ch/ruby.txt", "｜親文字《おやもじ》と山田《やまだ》太郎《たろう》");
    Write("ch/sub/deep/w.txt", "concat; the cat.");
    Write("lists/only.lst", "cat");  // no ".txt": the tree shows the folder empty
    Write(".hidden/h.txt", "cat");   // a hidden folder is no part of the book
    Write("山田 太郎/x.txt", "表示");
    Write("ch/contents.flc", kControlFileHeader + "lruby.txt\r\nlc.txt\r\n");
    // Files whose bytes hold a search text that their text does not: CP932 (あ, then the bytes
    // of 静か in UTF-8, which read as three other characters), and bytes that are neither UTF-8
    // nor CP932 after a valid start longer than the sixteen bytes the UTF-8 check takes a step.
    Write("edge/accident.txt", "\x82\xA0\xE9\x9D\x99\xE3\x81\x8B");
    Write("edge/broken.txt", "これは長い前置きの文です。\xFF壊れた");
    Write("edge/wide.txt", "ＨＴＭＬ５の本");
    // Lines ended by LF and by a lone CR: a whole word at a line end, and bases read per line.
    Write("edge/lines.txt", "pack of\nwolf\r｜一《いち》の\r｜二《に》\r\n");
    struct Row {
        const char* search;
        bool find_case;
        bool word;
        bool name;
        int hits = -1;  // how many files, where a row states it
    };
    const Row rows[] = {
        {"cat", false, false, false},
        {"cat", true, false, false},
        {"ＣＡＴ", false, false, false},
        {"cat", false, true, false},
        {"Cat", true, true, false},
        {"表示", false, false, false},
        {"猫", false, false, false},
        {"親文字", false, false, false},
        {"おやもじ", false, true, false},
        {"山田太郎", false, false, true},
        {"山田　太郎", false, false, true},
        {"ｄｏｇ", false, false, false},
        {"nowhere", false, false, false, 0},
        {"静か", false, false, false, 0},
        {"これは長い", false, false, false, 0},
        {"壊れた", true, false, false, 0},
        {"html5", false, false, false, 1},
        {"田太", false, false, false, 1},
        {"田太", true, false, false, 1},
        {"wolf", false, true, false, 1},
        {"一の", false, false, false, 1},
        {"の二", false, false, false, 0},
    };
    size_t rows_with_hits = 0;
    size_t rows_without = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.search);
        BookOptions& options = book.fs.Options();
        options.m_bFindCase = row.find_case;
        options.m_bFindWord = row.word;
        options.m_bFindName = row.name;
        Search(row.search, true);
        Lines marked;
        for (TreeItem item = book.Root(); item != kNoItem; item = book.fs.NextItem(item)) {
            if (book.tree.GetItemImage(item) == kImageFileHit) {
                marked.push_back(book.fs.Tree().ItemPath(item));
            }
        }
        EXPECT_EQ(SearchBookFiles(book.ui, book.root, options, row.search), marked);
        if (row.hits >= 0) {
            EXPECT_EQ(marked.size(), static_cast<size_t>(row.hits));
        }
        rows_with_hits += marked.empty() ? 0 : 1;
        rows_without += row.hits == 0 ? 1 : 0;
    }
    EXPECT_EQ(rows_with_hits, std::size(rows) - rows_without);
    EXPECT_TRUE(book.ui.messages.empty());
}

// A window whose editor shows each file it opens, unless told the file cannot be opened.
class EditorHost : public testing::FakeDocumentHost {
public:
    bool OpenDocument(const std::string& path) override {
        opened.push_back(path);
        std::string text;
        if (refused.count(path) != 0 || !ReadBookFileText(ui, path, text)) {
            return false;
        }
        editor.SetText(text);
        return true;
    }

    testing::ScriptedUi ui;
    MemoryEditorControl editor;
    std::set<std::string> refused;
};

TEST(TreeSearchInTheWindow, WholeWordSearchOpensEachFileInTheEditor) {
    BookFixture book;
    book.Make({"w1.txt", "w2.txt", "w3.txt"});
    WriteBytes(book.root + "/w1.txt", "concat");
    WriteBytes(book.root + "/w2.txt", "a cat");
    EditorHost host;
    host.modified = true;
    host.refused.insert(book.root + "/w3.txt");
    MemoryTreeControl tree;
    CFileSystem fs(book.ui, &host, nullptr, nullptr);
    fs.AttachBook(tree, book.root + "/novel.flx");
    fs.SetEditor(&host.editor);
    fs.Options().m_bFindWord = true;
    fs.SearchTree("cat");

    std::set<std::string> hits;
    for (TreeItem item = fs.Tree().m_hRootItem; item != kNoItem; item = fs.NextItem(item)) {
        if (tree.GetItemImage(item) == kImageFileHit) {
            hits.insert(fs.Tree().ItemFileName(item));
        }
    }
    // w3 could not be opened: the editor still shows w2, which must not count for w3.
    EXPECT_EQ(hits, std::set<std::string>{"w2.txt"});
    EXPECT_EQ(host.opened,
              (Lines{book.root + "/w1.txt", book.root + "/w2.txt", book.root + "/w3.txt"}));
    EXPECT_GE(host.save_questions, 1);
    EXPECT_FALSE(host.modified);
}

TEST_F(TreeSearchTest, FindsTheWordsOfAShiftJisBook) {
    FOLIX_SKIP_WITHOUT_CORPUS();
    std::filesystem::copy_file(testing::CorpusPath("sjis/kojiki-gendaigoyaku.sjis.txt"),
                               book.root + "/ch/古事記.txt");
    Search("安萬侶");
    EXPECT_EQ(Hits(), std::set<std::string>{"古事記.txt"});
    Search("ｊｉｓ　ｘ");  // written there as "JIS X"
    EXPECT_EQ(Hits(), std::set<std::string>{"古事記.txt"});
    book.fs.Options().m_bFindName = true;
    Search("武田　祐吉");
    EXPECT_EQ(Hits(), std::set<std::string>{"古事記.txt"});
    EXPECT_TRUE(book.ui.messages.empty());
}

TEST(TreeSearchWithoutATree, IsRefusedWithTheMessage) {
    BookFixture book;
    book.fs.SearchTree("cat");
    EXPECT_EQ(book.ui.messages, Lines{"ツリーが表示されていないので"
                                      "ツリーの検索"
                                      "ができません。ツリーを表示してやり直してください。"});
    EXPECT_EQ(book.ui.waits, 0);
}

}  // namespace
}  // namespace folix
