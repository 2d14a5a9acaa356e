#include "epub/epub_builder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "book/file_faults.h"
#include "epub/epub_content.h"
#include "epub/epub_cover.h"
#include "epub/epub_settings.h"
#include "epub/line_xhtml.h"
#include "epub/random_uuid.h"
#include "epub/xml_text.h"
#include "site/output_file.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::MakeFolder;
using testing::ReadBytes;
using testing::ScriptedUi;
using testing::TempFolder;
using testing::WriteBytes;

const std::string kOldEbook = "an e-book the writer keeps";

struct FailureCase {
    const char* name;
    // Prepares the book and the settings of the build.
    std::function<void(const std::string& dir, EpubSettings& settings)> setup;
    bool answer;                // to the replace question, when one is asked
    std::string message_tail;   // what the one message ends in, or empty for none
    const char* question = "";  // the replace question, when one is asked
    BuildOutcome outcome;
    size_t max_text_bytes = kMaxEpubTextBytes;
};

// Every way a build can stop short leaves the e-book already there as it was, says why, and
// keeps the settings file untouched.
TEST(EpubBuilder, AFailedOrDeclinedBuildLeavesTheOldEbookWhole) {
    const FailureCase cases[] = {
        {"another file of that name, kept on No", [](const std::string&, EpubSettings&) {}, false,
         "", "はすでに存在します。上書きしますか？", BuildOutcome::kWritten},
        {"the write fails",
         [](const std::string& dir, EpubSettings& settings) {
             settings.last_written = dir + "/B.epub";
             SetFileFaultHook([](FileOperation operation, const std::string& path) {
                 return operation == FileOperation::kWrite && path.ends_with("B.epub") ? ENOSPC : 0;
             });
         },
         false, ")", "", BuildOutcome::kIncomplete},
        {"a cover that is no picture",
         [](const std::string& dir, EpubSettings& settings) {
             WriteBytes(dir + "/B/cover.png", "<svg>not a picture</svg>");
             settings.cover = "cover.png";
         },
         false, std::string("/B/cover.png") + kNotAnImageMessage, "", BuildOutcome::kRefused},
        {"a cover reached through a link",
         [](const std::string& dir, EpubSettings& settings) {
             WriteBytes(dir + "/outside.png", "\x89PNG\r\n\x1A\n");
             std::filesystem::create_symlink(dir + "/outside.png", dir + "/B/cover.png");
             settings.cover = "cover.png";
         },
         false, ")", "", BuildOutcome::kRefused},
        {"a book larger than an e-book holds",
         [](const std::string& dir, EpubSettings&) {
             MakeFolder(dir + "/B/F");
             WriteBytes(dir + "/B/F/long.txt", std::string(200, 'x'));
         },
         false, std::string("/B/F/long.txt") + kEpubTooLargeMessage, "", BuildOutcome::kRefused,
         100},
        {"a cover that is missing",
         [](const std::string&, EpubSettings& settings) { settings.cover = "表紙.jpg"; }, false,
         ")", "", BuildOutcome::kRefused},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        MakeFolder(dir / "B");
        WriteBytes(dir / "B/a.txt", "本文\r\n");
        WriteBytes(dir / "B.epub", kOldEbook);
        EpubSettings settings;
        c.setup(dir.path(), settings);
        ScriptedUi ui;
        if (*c.question != '\0') {
            ui.ExpectQuestion(c.answer);
        }
        EpubBuilder builder(ui, SiteBook{dir / "B", dir.path()}, c.max_text_bytes);
        EXPECT_EQ(builder.MakeEpub(settings, true), c.outcome);
        SetFileFaultHook({});
        EXPECT_EQ(ReadBytes(dir / "B.epub"), kOldEbook);
        EXPECT_TRUE(builder.written().empty());
        EXPECT_FALSE(testing::Exists(dir / "B/epub.flc"));
        if (*c.question != '\0') {
            EXPECT_EQ(ui.questions, std::vector<std::string>{dir / "B.epub" + c.question});
        }
        if (c.message_tail.empty()) {
            EXPECT_TRUE(ui.messages.empty());
        } else {
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_TRUE(ui.messages[0].ends_with(c.message_tail)) << ui.messages[0];
            EXPECT_EQ(ui.messages[0].rfind(dir.path(), 0), 0u) << ui.messages[0];
        }
    }
}

struct ValueCase {
    const char* name;
    bool holds;
};

// The checks the e-book's values pass before they reach its XML or its settings file.
// A chapter too long for one document goes on in the next, between paragraphs: every line
// once and in order, the contents pointing at the first document and each heading where it is.
TEST(EpubContent, ALongChapterIsSplitBetweenParagraphsWithItsTextWhole) {
    TempFolder dir;
    const std::string root = dir / "本";
    MakeFolder(root + "/長い章");
    std::string text;
    std::string expected = "<h1 id=\"h1\">長い章</h1>\n<h2 id=\"h2\">一</h2>\n";
    for (int i = 0; i < 30000; ++i) {
        text += "第" + std::to_string(i) + "行の文。\n";
        expected += "<p>第" + std::to_string(i) + "行の文。</p>\n";
    }
    WriteBytes(root + "/長い章/一.txt", text);
    WriteBytes(root + "/長い章/二.txt", "最後");
    expected += "<h2 id=\"h3\">二</h2>\n<p>最後</p>\n";
    ScriptedUi ui;
    const EpubContent content = CollectEpubContent(ui, SiteBook{root, dir.path()}, {});
    ASSERT_GT(content.chapters.size(), 2u);
    std::string joined;
    for (const EpubChapter& chapter : content.chapters) {
        EXPECT_LE(chapter.body.size(), kMaxDocumentBodyBytes);
        EXPECT_EQ(chapter.title, "長い章");
        EXPECT_TRUE(chapter.body.ends_with("</p>\n") || chapter.body.ends_with("</h2>\n"));
        joined += chapter.body;
    }
    EXPECT_TRUE(joined == expected);
    ASSERT_EQ(content.nav.size(), 1u);
    EXPECT_EQ(content.nav[0].href, "chapter0001.xhtml");
    ASSERT_EQ(content.nav[0].children.size(), 2u);
    EXPECT_EQ(content.nav[0].children[1].href, content.chapters.back().file_name + "#h3");
}

TEST(EpubValues, OnlyValuesThatKeepTheBookWellFormedPass) {
    const ValueCase languages[] = {
        {"ja", true},     {"en-US", true},      {"ja-Latn-JP", true}, {"", false},
        {"ja-", false},   {"-ja", false},       {"1a", false},        {"ja_JP", false},
        {"ja\"x", false}, {"abcdefghi", false},
    };
    for (const ValueCase& c : languages) {
        EXPECT_EQ(IsLanguageTag(c.name), c.holds) << c.name;
    }
    const ValueCase uuids[] = {
        {"2c815679-8614-4083-8975-12f05b6d6723", true},
        {"2C815679-8614-4083-8975-12F05B6D6723", true},
        {"2c815679-8614-4083-8975-12f05b6d672", false},
        {"2c815679x8614-4083-8975-12f05b6d6723", false},
        {"2c815679-8614-4083-8975-12f05b6d672g", false},
    };
    for (const ValueCase& c : uuids) {
        EXPECT_EQ(IsUuid(c.name), c.holds) << c.name;
    }
    std::string made;
    std::string again;
    ASSERT_TRUE(MakeRandomUuid(made));
    ASSERT_TRUE(MakeRandomUuid(again));
    EXPECT_TRUE(IsUuid(made)) << made;
    EXPECT_NE(made, again);
    EXPECT_EQ(made[14], '4');                                          // version 4
    EXPECT_NE(std::string("89ab").find(made[19]), std::string::npos);  // its variant

    const std::pair<std::string, std::string> texts[] = {
        {"<b>&\"x\"</b>", "&lt;b&gt;&amp;&quot;x&quot;&lt;/b&gt;"},
        {"行\x01\x1F\x7F\tend", "行\x7F\tend"},
        {"bad \xFF\x80 byte", "bad \xEF\xBF\xBD\xEF\xBF\xBD byte"},
        {"cut \xE6\x97", "cut \xEF\xBF\xBD\xEF\xBF\xBD"},
        {"over \xED\xA0\x80", "over \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
    };
    for (const auto& [text, xml] : texts) {
        EXPECT_EQ(XmlText(text), xml) << text;
    }
    // The one place a line becomes XHTML: the notation only when it is on, upright digits only
    // in vertical writing, and the text around and inside it escaped all the same.
    const std::string line = "｜A&B《<あ>》、《《強》》12!?123";
    // The markup is the publishers' guide's: ruby without rp, em-sesame, tcy of three digits
    // at most.
    const std::pair<EpubNotation, std::string> notations[] = {
        {{false, true, 2}, "｜A&amp;B《&lt;あ&gt;》、《《強》》12!?123"},
        {{true, false, 2},
         "<ruby>A&amp;B<rt>&lt;あ&gt;</rt></ruby>、<em class=\"em-sesame\">強</em>12!?123"},
        {{true, true, 3},
         "<ruby>A&amp;B<rt>&lt;あ&gt;</rt></ruby>、<em class=\"em-sesame\">強</em><span "
         "class=\"tcy\">12</span><span class=\"tcy\">!?</span><span class=\"tcy\">123</span>"},
        {{true, true, 4},
         "<ruby>A&amp;B<rt>&lt;あ&gt;</rt></ruby>、<em class=\"em-sesame\">強</em><span "
         "class=\"tcy\">12</span><span class=\"tcy\">!?</span><span class=\"tcy\">123</span>"},
    };
    EXPECT_EQ(LineXhtml("1234年", {true, true, 4}), "1234年");
    for (const auto& [notation, xhtml] : notations) {
        EXPECT_EQ(LineXhtml(line, notation), xhtml);
    }

    // A refused choice changes nothing at all, even the choices that were sound.
    ScriptedUi ui;
    EpubSettings settings;
    EpubChoices choices;
    choices.title = "題";
    choices.cover = "../secret.png";
    EXPECT_FALSE(ApplyEpubChoices(ui, settings, choices));
    EXPECT_EQ(settings.title, "");
    choices.cover = "表紙.png";
    choices.author = "作者\r\n";
    EXPECT_FALSE(ApplyEpubChoices(ui, settings, choices));
    choices.author = "作者";
    choices.language = "";
    EXPECT_TRUE(ApplyEpubChoices(ui, settings, choices));
    EXPECT_EQ(settings.language, "ja");
    EXPECT_EQ(settings.cover, "表紙.png");
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{"../secret.pngは不正です。", "作者\r\nは不正です。"}));
}

}  // namespace
}  // namespace folix
