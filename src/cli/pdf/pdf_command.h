#pragma once

namespace folix {

struct CommandContext;

// folix pdf BOOK.flx [options]: the book as a manuscript PDF on its grid, run by the program
// folix-pdf, which alone of the command line links Qt's painting.
int RunPdf(CommandContext& context);

}  // namespace folix
