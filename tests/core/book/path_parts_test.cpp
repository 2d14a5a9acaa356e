#include "book/path_parts.h"

#include <gtest/gtest.h>

namespace folix {
namespace {

TEST(PathParts, ParentPathToleratesTrailingSeparatorAndBareNames) {
    EXPECT_EQ(ParentPath("/books/novel/第一章/"), "/books/novel");
    EXPECT_EQ(ParentPath("/books/novel/空白.txt"), "/books/novel");
    EXPECT_EQ(ParentPath("novel.flx"), "");
    EXPECT_EQ(ParentPath("/novel"), "");
}

TEST(PathParts, NamePartsOfAPath) {
    EXPECT_EQ(FileNamePart("/books/novel/空白.txt"), "空白.txt");
    EXPECT_EQ(FileNamePart("空白.txt"), "空白.txt");
    EXPECT_EQ(TitlePart("/books/a.b.txt"), "a.b");
    EXPECT_EQ(TitlePart("/books/README"), "README");
    EXPECT_EQ(TitlePart("/books.d/README"), "README");
}

TEST(PathParts, ExtensionIsAtMostThreeCharacters) {
    EXPECT_EQ(ExtensionPart("a.b.txt"), "txt");
    EXPECT_EQ(ExtensionPart("index.html"), "htm");
    EXPECT_EQ(ExtensionPart("main.c"), "c");
    EXPECT_EQ(ExtensionPart("noext"), "");
    EXPECT_EQ(ExtensionPart("/folder.d/noext"), "");
    // Characters, not bytes: a Japanese extension is cut after three characters whole.
    EXPECT_EQ(ExtensionPart("原稿.下書き一"), "下書き");
}

TEST(PathParts, EditableAndHtmNamesIgnoreLetterCase) {
    for (const char* name : {"x.TXT", "x.Htx", "x.lst", "第一章.txt"}) {
        EXPECT_TRUE(IsEditableName(name)) << name;
    }
    for (const char* name : {"x.tx", "x.text", "noext", "x.htm", "x.flx", "x.", "x.t"}) {
        EXPECT_FALSE(IsEditableName(name)) << name;
    }
    EXPECT_TRUE(IsHtmName("index.HTML"));
    EXPECT_TRUE(IsHtmName("index.htm"));
    EXPECT_FALSE(IsHtmName("index.ht"));
}

// In Shift_JIS the second byte of 表 is the old separator's code; here paths are UTF-8, and the
// folder must still split where the writer sees the separator.
TEST(PathParts, DoubleByteNamesSplitAtTheRealSeparator) {
    const std::string path = "/books/表紙/表.txt";
    EXPECT_EQ(ParentPath(path), "/books/表紙");
    EXPECT_EQ(FileNamePart(path), "表.txt");
    EXPECT_EQ(TitlePart(path), "表");
    EXPECT_EQ(ExtensionPart(path), "txt");
}

}  // namespace
}  // namespace folix
