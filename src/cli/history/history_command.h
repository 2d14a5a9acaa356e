#pragma once

namespace folix {

struct CommandContext;

// folix history BOOK.flx FILE [--show N | --restore N], run by the program folix-history, which
// alone of the command line links the history's repository library.
int RunHistory(CommandContext& context);

}  // namespace folix
