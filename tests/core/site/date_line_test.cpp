#include "site/date_line.h"

#include <gtest/gtest.h>
#include <stdlib.h>

namespace folix {
namespace {

TEST(DateLine, ThreeWaysOfWritingTheDate) {
    const BuildDate may3{2004, 5, 3};
    DateLineStyle style;  // the defaults: Japanese, at the right, nothing before, 更新 after
    style.after = "更新";
    EXPECT_EQ(DateLine(style, may3), "<DIV ALIGN=\"RIGHT\"> 2004年05月03日更新</DIV><BR>");
    style.vertical = true;
    EXPECT_EQ(DateLine(style, {2004, 12, 10}),
              "<DIV ALIGN=\"RIGHT\"> 二〇〇四年一二月一〇日更新</DIV><BR>");
    style.japanese = false;
    style.right = false;
    style.before = "Updated";
    style.after = "";
    EXPECT_EQ(DateLine(style, may3), "<CENTER>Updated May 03, 2004</CENTER><BR>");
    EXPECT_EQ(DateLine(style, {1999, 12, 31}), "<CENTER>Updated December 31, 1999</CENTER><BR>");
}

TEST(DateLine, KanjiDigitsWithoutTens) {
    EXPECT_EQ(KanjiNumber(2004), "二〇〇四");
    EXPECT_EQ(KanjiNumber(10), "一〇");
    EXPECT_EQ(KanjiNumber(0), "〇");
    EXPECT_EQ(KanjiNumber(9876543), "九八七六五四三");
}

TEST(DateLine, SourceDateEpochFixesTheDayInUtc) {
    ::setenv("SOURCE_DATE_EPOCH", "1083628799", 1);  // 2004-05-03 23:59:59 UTC
    BuildDate date = DateOfBuild();
    EXPECT_EQ(date.year, 2004);
    EXPECT_EQ(date.month, 5);
    EXPECT_EQ(date.day, 3);
    // Something that is not a number of seconds is no date at all: today is used.
    ::setenv("SOURCE_DATE_EPOCH", "yesterday", 1);
    EXPECT_GT(DateOfBuild().year, 2020);
    ::unsetenv("SOURCE_DATE_EPOCH");
    EXPECT_GT(DateOfBuild().year, 2020);
}

}  // namespace
}  // namespace folix
