#pragma once

#include <string_view>
#include <vector>

#include "platform/ftp_client.h"

namespace folix {

// Reads a machine listing (MLSD): one "fact=value;…; name" line per entry, whose type fact says
// what the entry is. "." and ".." (cdir, pdir) are left out, and so is every name that would
// lead out of the listed folder or cannot be sent back (holding "/", "\\", NUL, CR or LF).
std::vector<FtpEntry> ParseMachineListing(std::string_view text);

// Reads a LIST reply, for servers that refuse MLSD: Unix "ls -l" lines ("drwxr-xr-x 2 u g 4096
// Jan 1 12:00 name") and DOS lines ("01-01-24  12:00PM  <DIR>  name"). Lines of neither kind
// ("total 12") are skipped, and so are "." and "..". A link is listed under its own name.
std::vector<FtpEntry> ParseListListing(std::string_view text);

}  // namespace folix
