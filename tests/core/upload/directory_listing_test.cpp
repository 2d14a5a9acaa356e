#include "upload/directory_listing.h"

#include <gtest/gtest.h>

namespace folix {
namespace {

std::vector<std::string> Describe(const std::vector<FtpEntry>& entries) {
    std::vector<std::string> names;
    for (const FtpEntry& entry : entries) {
        names.push_back(entry.name + (entry.is_directory ? "/" : ""));
    }
    return names;
}

TEST(DirectoryListing, MachineListingKeepsNamesWithBlanksAndDropsTheFolderItself) {
    const char* text =
        "type=cdir;perm=el; /www\r\n"
        "type=pdir;perm=el; /\r\n"
        "Type=Dir;Modify=20240101; my docs\r\n"
        "modify=20240101;size=12;type=file; index 2.htm\r\n"
        "type=OS.unix=slink:/x;size=1; link\r\n"
        "size=4;type=file; .htaccess\r\n";
    EXPECT_EQ(Describe(ParseMachineListing(text)),
              (std::vector<std::string>{"my docs/", "index 2.htm", "link", ".htaccess"}));
}

TEST(DirectoryListing, UnixAndDosListLines) {
    const char* unix_text =
        "total 12\n"
        "drwxr-xr-x   2 me  users     4096 Jan  1 12:00 .\n"
        "drwxr-xr-x   2 me  users     4096 Jan  1 12:00 ..\n"
        "drwxr-xr-x   2 me  users     4096 Jan  1 12:00 www\n"
        "-rw-r--r--   1 me  users      120 Mar 31  2023 a  b.htm\n"
        "lrwxrwxrwx   1 me  users        5 Mar 31  2023 site -> www\n";
    EXPECT_EQ(Describe(ParseListListing(unix_text)),
              (std::vector<std::string>{"www/", "a  b.htm", "site"}));
    const char* dos_text =
        "01-15-24  09:12PM       <DIR>          日記\r\n"
        "01-15-24  09:13PM                  512 index.htm\r\n";
    EXPECT_EQ(Describe(ParseListListing(dos_text)),
              (std::vector<std::string>{"日記/", "index.htm"}));
}

}  // namespace
}  // namespace folix
