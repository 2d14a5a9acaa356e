#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "support/control_file_header.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::Exists;
using testing::ReadBytes;
using testing::RunFolix;
using testing::TempFolder;
using testing::WriteBytes;

const std::string kBom = "\xEF\xBB\xBF";

// A fresh copy of the bundled sample book, with the settings of a book just made (the bundled
// one comes ready to build); the bundled one is never written to.
std::string CopySample(const TempFolder& dir) {
    std::filesystem::copy(std::string(FOLIX_SOURCE_DIR) + "/examples/sample", dir / "sample",
                          std::filesystem::copy_options::recursive);
    std::filesystem::remove(dir / "sample/html_options.flc");
    std::filesystem::remove(dir / "sample/options.flc");
    return "sample/sample.flx";
}

TEST(SiteCommands, TheSampleBookBuildsInEveryLayout) {
    TempFolder dir;
    const std::string book = CopySample(dir);
    auto set = RunFolix({"options", book, "html.file=index.htm", "text.allow=true"}, dir.path());
    ASSERT_EQ(set.exit_code, 0) << set.err;

    ::setenv("SOURCE_DATE_EPOCH", "1083542400", 1);  // 2004-05-03
    auto html = RunFolix({"html", book}, dir.path());
    EXPECT_EQ(html.exit_code, 0) << html.err;
    EXPECT_EQ(html.err, "");
    EXPECT_EQ(html.out, dir / "index2_.htm\n" + dir / "index2_.css\n" + dir / "index3_.htm\n" +
                            dir / "index.htm\n" + dir / "index.css\n");
    const std::string page = ReadBytes(dir / "index3_.htm");
    EXPECT_EQ(page.rfind(kBom + "<HTML>\r\n", 0), 0u);
    EXPECT_NE(page.find("<DIV ALIGN=\"RIGHT\"> 2004年05月03日更新</DIV><BR>\r\n"),
              std::string::npos);
    EXPECT_NE(page.find("<A NAME=\"第一章　朝/梅の木\"></A><H3>梅の木</H3>\r\n"),
              std::string::npos);

    // Every layout builds; files written by the book before are replaced without a question,
    // and files of a layout not built before are new.
    const std::vector<std::vector<std::string>> layouts = {
        {"html.top-bottom=true"},
        {"html.vertical=true"},
        {"html.frame=false"},
        {"html.top-bottom=false", "html.vertical=false"},
    };
    for (const auto& layout : layouts) {
        std::vector<std::string> args{"options", book};
        args.insert(args.end(), layout.begin(), layout.end());
        ASSERT_EQ(RunFolix(args, dir.path()).exit_code, 0);
        auto again = RunFolix({"html", book}, dir.path());
        EXPECT_EQ(again.exit_code, 0) << again.err;
        EXPECT_EQ(again.err, "") << layout[0];
    }
    EXPECT_EQ(ReadBytes(dir / "index5_.htm").rfind(kBom + "<HTML>\r\n<BODY BGCOLOR", 0), 0u);
    EXPECT_TRUE(Exists(dir / "sample/vheader.htx"));

    // Named with the book folder's own name, the site goes into the book folder, where a page
    // of that name already waits, without a question.
    WriteBytes(dir / "sample/site.htm", "an old page");
    ASSERT_EQ(RunFolix({"options", book, "html.file=sample\\site.htm"}, dir.path()).exit_code, 0);
    auto in_book = RunFolix({"html", book}, dir.path());
    EXPECT_EQ(in_book.exit_code, 0) << in_book.err;
    EXPECT_EQ(in_book.err, "");
    EXPECT_EQ(in_book.out, dir / "sample/site.htm\n" + dir / "sample/site.css\n");
    EXPECT_EQ(ReadBytes(dir / "sample/site.htm"), ReadBytes(dir / "index.htm"));
    ::unsetenv("SOURCE_DATE_EPOCH");

    auto text = RunFolix({"text", book}, dir.path());
    EXPECT_EQ(text.exit_code, 0) << text.err;
    EXPECT_EQ(text.out, dir / "sample.txt\n");
    const std::string whole = ReadBytes(dir / "sample.txt");
    EXPECT_EQ(whole.rfind("sample\r\n\r\nはじめに\r\n\r\n", 0), 0u);
}

TEST(SiteCommands, RefusedBuildsExitWithOneAndWriteNothing) {
    TempFolder dir;
    const std::string book = CopySample(dir);
    auto html = RunFolix({"html", book}, dir.path());
    EXPECT_EQ(html.exit_code, 1);
    EXPECT_EQ(html.err,
              "noname.htmではHTMLを作成できません。HTMLオプションボタンを押して、"
              "正しいファイル名を指定してやり直してください。\n");
    EXPECT_FALSE(Exists(dir / "noname.htm"));

    auto text = RunFolix({"text", book}, dir.path());
    EXPECT_EQ(text.exit_code, 1);
    EXPECT_EQ(text.err, "この文書のＴＥＸＴ作成は許可されていません。\n");
    EXPECT_FALSE(Exists(dir / "sample.txt"));

    WriteBytes(dir / "page.txt", "");
    auto no_tree = RunFolix({"html", "page.txt"}, dir.path());
    EXPECT_EQ(no_tree.exit_code, 1);
    EXPECT_EQ(no_tree.err,
              "ツリーが表示されていないのでHTML作成ができません。"
              "ツリーを表示してやり直してください。\n");
    EXPECT_EQ(RunFolix({"text", "missing/missing.flx"}, dir.path()).exit_code, 1);
    EXPECT_EQ(RunFolix({"html"}, dir.path()).exit_code, 2);
}

TEST(SiteCommands, AnotherFileIsOverwrittenOnlyWhenAnswered) {
    TempFolder dir;
    const std::string book = CopySample(dir);
    ASSERT_EQ(RunFolix({"options", book, "text.allow=true", "text.ext=md"}, dir.path()).exit_code,
              0);
    WriteBytes(dir / "sample.md", "mine");
    // No terminal and no flag: the answer is No.
    auto kept = RunFolix({"text", book}, dir.path());
    EXPECT_EQ(kept.exit_code, 0);
    EXPECT_EQ(kept.out, "");
    EXPECT_EQ(kept.err, dir / "sample.md" + "はすでに存在します。上書きしますか？ -> いいえ\n");
    EXPECT_EQ(ReadBytes(dir / "sample.md"), "mine");

    auto replaced = RunFolix({"text", book, "--yes"}, dir.path());
    EXPECT_EQ(replaced.exit_code, 0);
    EXPECT_EQ(ReadBytes(dir / "sample.md").rfind("sample\r\n", 0), 0u);
    // Now it is the book's own file.
    auto quiet = RunFolix({"text", book, "--no"}, dir.path());
    EXPECT_EQ(quiet.exit_code, 0);
    EXPECT_EQ(quiet.err, "");
}

TEST(OptionsCommand, PrintsEveryOptionAndSetsThemWithTheDialogsChecks) {
    TempFolder dir;
    const std::string book = CopySample(dir);
    auto shown = RunFolix({"options", book}, dir.path());
    EXPECT_EQ(shown.exit_code, 0);
    EXPECT_EQ(shown.out,
              "html.file=noname.htm\nhtml.date-before=\nhtml.date-after=更新\nhtml.indent=true\n"
              "html.level1-heading=true\nhtml.date=true\nhtml.date-japanese=true\n"
              "html.date-right=true\nhtml.contents-of-contents=true\nhtml.frame=true\n"
              "html.top-bottom=false\nhtml.vertical=false\ntext.ext=txt\ntext.prefix=\n"
              "text.allow=false\nhtml.notation=false\ntext.notation=keep\n"
              "notation.upright-digits=2\ncount.grid=20x20\ncount.goal=\ncount.deadline=\n");
    // Showing the defaults makes no file: an existing book keeps exactly the files it had.
    EXPECT_FALSE(Exists(dir / "sample/notation.flc"));

    // A wrong extension keeps the old name; the other settings are stored all the same.
    auto refused = RunFolix(
        {"options", book, "html.file=index.txt", "html.frame=false", "text.ext="}, dir.path());
    EXPECT_EQ(refused.exit_code, 1);
    EXPECT_EQ(refused.err, "ファイル名拡張子は htm でなければなりません。\n");
    auto after = RunFolix({"options", book}, dir.path()).out;
    EXPECT_NE(after.find("html.file=noname.htm\n"), std::string::npos);
    EXPECT_NE(after.find("html.frame=false\n"), std::string::npos);
    EXPECT_NE(after.find("text.ext=txt\n"), std::string::npos);

    ASSERT_EQ(RunFolix({"options", book, "html.file=site.HTML"}, dir.path()).exit_code, 0);
    EXPECT_NE(RunFolix({"options", book}, dir.path()).out.find("html.file=site.HTML\n"),
              std::string::npos);
    ASSERT_EQ(RunFolix({"options", book, "html.file="}, dir.path()).exit_code, 0);
    EXPECT_NE(RunFolix({"options", book}, dir.path()).out.find("html.file=noname.htm\n"),
              std::string::npos);

    ASSERT_EQ(RunFolix({"options", book, "html.notation=true", "text.notation=base",
                        "notation.upright-digits=4"},
                       dir.path())
                  .exit_code,
              0);
    const std::string notation = ReadBytes(dir / "sample/notation.flc");
    EXPECT_EQ(notation, testing::kControlFileHeader + "true\r\nbase\r\n4\r\n");
    EXPECT_NE(RunFolix({"options", book}, dir.path())
                  .out.find("html.notation=true\ntext.notation=base\nnotation.upright-digits=4\n"),
              std::string::npos);
    auto wrong = RunFolix({"options", book, "notation.upright-digits=5"}, dir.path());
    EXPECT_EQ(wrong.exit_code, 2);
    EXPECT_NE(wrong.err.find("notation.upright-digits の値は 2、3、4 のどれかです。"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(dir / "sample/notation.flc"), notation);

    EXPECT_EQ(RunFolix({"options", book, "html.notation=yes"}, dir.path()).exit_code, 2);
    EXPECT_EQ(RunFolix({"options", book, "text.notation=ruby"}, dir.path()).exit_code, 2);
    EXPECT_EQ(RunFolix({"options", book, "html.colour=red"}, dir.path()).exit_code, 2);
    EXPECT_EQ(RunFolix({"options", book, "html.frame=yes"}, dir.path()).exit_code, 2);
    EXPECT_EQ(RunFolix({"options", book, "html.frame"}, dir.path()).exit_code, 2);
    EXPECT_EQ(RunFolix({"options"}, dir.path()).exit_code, 2);
}

}  // namespace
}  // namespace folix
