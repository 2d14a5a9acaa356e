#include "book/editor_file.h"

#include <gtest/gtest.h>

#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::CorpusPath;
using testing::Cp932;
using testing::ReadBytes;
using testing::ScriptedUi;
using testing::TempFolder;
using testing::WriteBytes;

TEST(EditorFile, ShiftJisCorpusReadsAsCp932AndSavesBackByteForByte) {
    FOLIX_SKIP_WITHOUT_CORPUS();
    const std::string original = ReadBytes(CorpusPath("sjis/kojiki-gendaigoyaku.sjis.txt"));
    ASSERT_GT(original.size(), 200000u);
    TempFolder dir;
    ScriptedUi ui;
    WriteBytes(dir / "古事記.txt", original);

    EditorFile file;
    ASSERT_TRUE(ReadEditorFile(ui, dir / "古事記.txt", file));
    EXPECT_FALSE(file.rtf);
    EXPECT_TRUE(file.clean);
    EXPECT_EQ(file.encoding, TextEncoding::kCp932);
    EXPECT_EQ(file.text.rfind("古事記\r\n", 0), 0u);
    EXPECT_NE(file.text.find("安萬侶《やすまろ》"), std::string::npos);
    EXPECT_TRUE(IsEditorWritable(dir / "古事記.txt", file));

    ASSERT_TRUE(SaveEditorText(ui, dir / "古事記.txt", file.text, file.encoding));
    EXPECT_EQ(ReadBytes(dir / "古事記.txt"), original);
    EXPECT_TRUE(ui.notices.empty());
}

TEST(EditorFile, EncodingsAreKeptOnSave) {
    TempFolder dir;
    ScriptedUi ui;
    const std::string with_bom = "\xEF\xBB\xBF本文\r\n";
    WriteBytes(dir / "bom.txt", with_bom);
    EditorFile file;
    ASSERT_TRUE(ReadEditorFile(ui, dir / "bom.txt", file));
    EXPECT_EQ(file.text, "本文\r\n");
    EXPECT_EQ(file.encoding, TextEncoding::kUtf8Bom);
    ASSERT_TRUE(SaveEditorText(ui, dir / "bom.txt", file.text, file.encoding));
    EXPECT_EQ(ReadBytes(dir / "bom.txt"), with_bom);
}

TEST(EditorFile, Cp932FileGainingAForeignCharacterIsSavedAsUtf8WithANotice) {
    TempFolder dir;
    ScriptedUi ui;
    WriteBytes(dir / "a.txt", Cp932("表です"));
    EditorFile file;
    ASSERT_TRUE(ReadEditorFile(ui, dir / "a.txt", file));
    ASSERT_EQ(file.encoding, TextEncoding::kCp932);
    ASSERT_TRUE(SaveEditorText(ui, dir / "a.txt", file.text + "🌸", file.encoding));
    EXPECT_EQ(ReadBytes(dir / "a.txt"), "表です🌸");
    EXPECT_EQ(file.encoding, TextEncoding::kUtf8);
    EXPECT_EQ(ui.notices, std::vector<std::string>{kSavedAsUtf8Notice});
}

TEST(EditorFile, UndecodableBytesOpenReadOnly) {
    TempFolder dir;
    ScriptedUi ui;
    WriteBytes(dir / "broken.txt", "ok \x82\xff \xfd end");
    EditorFile file;
    ASSERT_TRUE(ReadEditorFile(ui, dir / "broken.txt", file));
    EXPECT_FALSE(file.clean);
    EXPECT_FALSE(IsEditorWritable(dir / "broken.txt", file));
    EXPECT_NE(file.text.find("ok "), std::string::npos);
    EXPECT_NE(file.text.find(" end"), std::string::npos);
}

TEST(EditorFile, OnlyTextListAndTemplateFilesAreWritable) {
    EditorFile clean;
    EXPECT_TRUE(IsEditorWritable("/b/a.lst", clean));
    EXPECT_TRUE(IsEditorWritable("/b/header.HTX", clean));
    EXPECT_FALSE(IsEditorWritable("/b/index.htm", clean));
    EXPECT_FALSE(IsEditorWritable("/b/novel.flx", clean));
}

TEST(EditorFile, RichTextIsHandedOverAsItsBytes) {
    TempFolder dir;
    ScriptedUi ui;
    WriteBytes(dir / "r.txt", "{\\rtf1 \\'82\\'a0}");
    EditorFile file;
    ASSERT_TRUE(ReadEditorFile(ui, dir / "r.txt", file));
    EXPECT_TRUE(file.rtf);
    EXPECT_EQ(file.text, "{\\rtf1 \\'82\\'a0}");
}

TEST(EditorFile, FailedSaveKeepsTheOldFile) {
    TempFolder dir;
    ScriptedUi ui;
    WriteBytes(dir / "a.txt", "old");
    chmod((dir / "a.txt").c_str(), 0444);
    TextEncoding encoding = TextEncoding::kUtf8;
    EXPECT_FALSE(SaveEditorText(ui, dir / "a.txt", "new", encoding));
    EXPECT_EQ(ReadBytes(dir / "a.txt"), "old");
    EXPECT_EQ(ui.messages, std::vector<std::string>{dir / "a.txt" + "が開けません。(5)"});
    EXPECT_FALSE(ReadEditorFile(ui, dir / "none.txt", *std::make_unique<EditorFile>()));
    EXPECT_EQ(ui.messages.back(), dir / "none.txt" + "が開けません。(2)");
}

}  // namespace
}  // namespace folix
