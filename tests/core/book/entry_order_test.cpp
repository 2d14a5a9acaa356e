#include "book/entry_order.h"

#include <gtest/gtest.h>

#include "book/name_compare.h"

namespace folix {
namespace {

using Entries = std::vector<std::string>;

// The merge on entries written as the lines of "contents.flc".
void MergeStoredLines(Entries& disk, Entries& stored) {
    std::vector<BookEntry> disk_entries;
    std::vector<BookEntry> stored_entries;
    for (const std::string& line : disk) {
        disk_entries.push_back(EntryFromLine(line));
    }
    for (const std::string& line : stored) {
        stored_entries.push_back(EntryFromLine(line));
    }
    MergeStoredOrder(disk_entries, stored_entries);
    disk.clear();
    for (const BookEntry& entry : disk_entries) {
        disk.push_back(EntryLine(entry));
    }
    stored.clear();
    for (const BookEntry& entry : stored_entries) {
        stored.push_back(EntryLine(entry));
    }
}

// The order Windows' Explorer-era sort by CP932 code gives, letter case folded: ASCII, then
// half-width katakana, then double-byte characters by their code (Ａ 8260, あ 82A0, ア 8341,
// 亜 889F, 一 88EA, 表 955C), then what CP932 cannot hold at all.
TEST(NameOrder, SortsByFoldedCp932Code) {
    const Entries windows_order = {"lA.txt", "lb.txt", "lB2.txt", "lC",  "lｱ",  "lＡ", "lｂ",
                                   "lあ",    "lア",    "l亜",     "l一", "l表", "l한"};
    Entries shuffled = {"l表", "l한", "lｂ",    "lア", "lB2.txt", "l一",   "lC",
                        "lあ", "lＡ", "lA.txt", "l亜", "lｱ",      "lb.txt"};
    SortByKey(shuffled, kEntryKeyOffset);
    EXPECT_EQ(shuffled, windows_order);
}

TEST(NameOrder, FoldsCaseIncludingFullWidthAndPrefixSortsFirst) {
    EXPECT_EQ(CompareNames("abc", "ABC"), 0);
    EXPECT_EQ(CompareNames("ａｂｃ", "ＡＢＣ"), 0);
    EXPECT_LT(CompareNames("第一", "第一章"), 0);
    EXPECT_GT(CompareNames("第一章", "第一"), 0);
    // A folded letter sorts like its capital: "_" (5F) comes after "A" (41) but before "a".
    EXPECT_LT(CompareNames("a", "_"), 0);
}

TEST(NameOrder, SortIsStableForNamesEqualIgnoringCase) {
    Entries entries = {"lb.txt", "lA.txt", "la.txt", "dc"};
    SortByKey(entries, kEntryKeyOffset);
    EXPECT_EQ(entries, (Entries{"lA.txt", "la.txt", "lb.txt", "dc"}));
}

TEST(NameOrder, FindByKeyIgnoresTypeLetterAndCase) {
    Entries sorted;
    for (int i = 0; i < 40; ++i) {
        sorted.push_back("l" + std::to_string(100 + i) + ".txt");
    }
    SortByKey(sorted, kEntryKeyOffset);
    EXPECT_EQ(FindByKey(sorted, "d117.TXT", kEntryKeyOffset), 17);
    EXPECT_EQ(FindByKey(sorted, "l100.txt", kEntryKeyOffset), 0);
    EXPECT_EQ(FindByKey(sorted, "l139.txt", kEntryKeyOffset), 39);
    EXPECT_EQ(FindByKey(sorted, "l099.txt", kEntryKeyOffset), -1);
    EXPECT_EQ(FindByKey({}, "la", kEntryKeyOffset), -1);
}

TEST(MergeStoredOrder, KeepsStoredOrderAndAppendsNewNamesSorted) {
    Entries disk = {"l2.txt", "lb.txt", "l0.txt", "l1.txt"};
    SortByKey(disk, kEntryKeyOffset);
    Entries stored = {"l2.txt", "l1.txt"};
    MergeStoredLines(disk, stored);
    EXPECT_EQ(stored, (Entries{"l2.txt", "l1.txt", "l0.txt", "lb.txt"}));
    EXPECT_TRUE(disk.empty());
}

TEST(MergeStoredOrder, DropsVanishedNamesAndKeepsTheLaterOfTwoStoredTwice) {
    Entries disk = {"la.txt", "lb.txt", "lc.txt"};
    Entries stored = {"la.txt", "lgone.txt", "lc.txt", "lb.txt", "la.txt"};
    MergeStoredLines(disk, stored);
    EXPECT_EQ(stored, (Entries{"lc.txt", "lb.txt", "la.txt"}));
}

// The stored line keeps its type letter and place, but the name must be the one on disk, or the
// path formed from it would name no file on a system that tells case apart.
TEST(MergeStoredOrder, StoredEntryTakesTheDiskSpelling) {
    Entries disk = {"lNotes.TXT", "d第一章"};
    SortByKey(disk, kEntryKeyOffset);
    Entries stored = {"d第一章", "lnotes.txt"};
    MergeStoredLines(disk, stored);
    EXPECT_EQ(stored, (Entries{"d第一章", "lNotes.TXT"}));
}

// A stored name spelt exactly as one of them wins over the first disk name of equal key.
TEST(MergeStoredOrder, NamesDifferingOnlyInCaseAreBothKept) {
    const struct {
        Entries disk, stored, merged;
    } cases[] = {
        {{"la.txt", "lA.txt"}, {"la.txt"}, {"la.txt", "lA.txt"}},
        {{"la.txt", "lA.txt", "lb.txt"}, {"lA.txt", "lb.txt"}, {"lA.txt", "lb.txt", "la.txt"}},
        // Both spelt as stored, in the stored order.
        {{"la.txt", "lA.txt"}, {"lA.txt", "la.txt"}, {"lA.txt", "la.txt"}},
        // Neither spelt as stored: the first of equal key, then the other as a new name.
        {{"la.txt", "lA.txt"}, {"lA.TXT"}, {"la.txt", "lA.txt"}},
        // One spelt as stored and taken, the other stored line takes the name left.
        {{"la.txt", "lA.txt"}, {"LA.txt", "la.txt"}, {"lA.txt", "la.txt"}},
    };
    for (auto [disk, stored, merged] : cases) {
        SortByKey(disk, kEntryKeyOffset);
        MergeStoredLines(disk, stored);
        EXPECT_EQ(stored, merged);
    }
}

}  // namespace
}  // namespace folix
