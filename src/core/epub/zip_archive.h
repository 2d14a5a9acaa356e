#pragma once

#include <ctime>
#include <string>
#include <vector>

namespace folix {

// One file of a zip archive.
struct ZipMember {
    std::string name;
    std::string bytes;
    bool stored = false;  // kept as it is rather than compressed
};

// The archive of the members in their order, every one stamped with the same time (as UTC), so
// that the same members and time give the same bytes. False with the zip library's own text in
// error when the archive could not be made.
bool MakeZipArchive(const std::vector<ZipMember>& members, std::time_t stamp, std::string& archive,
                    std::string& error);

}  // namespace folix
