// The readers of a server's directory listings (MLSD and LIST) on any reply: no crash, and no
// entry that names the folder itself, its parent, nothing, or a way out of the folder.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "upload/directory_listing.h"

using namespace folix;

namespace {

void CheckEntries(const std::vector<FtpEntry>& entries) {
    for (const FtpEntry& entry : entries) {
        fuzz::Require(!entry.name.empty(), "an entry without a name");
        fuzz::Require(entry.name != "." && entry.name != "..", "an entry for . or ..");
        fuzz::Require(
            entry.name.find_first_of(std::string_view("/\\\0\r\n", 5)) == std::string::npos,
            "an entry that leads out of its folder");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
    CheckEntries(ParseMachineListing(reply));
    CheckEntries(ParseListListing(reply));
    return 0;
}
