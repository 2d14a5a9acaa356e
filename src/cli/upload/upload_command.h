#pragma once

namespace folix {

struct CommandContext;

// folix upload BOOK.flx [options]: the files of the last HTML build sent to the FTP server, run
// by the program folix-upload, which alone of the command line links libcurl.
int RunUpload(CommandContext& context);

}  // namespace folix
