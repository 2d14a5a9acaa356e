#pragma once

namespace folix {

struct CommandContext;

// The main() of a program a command is handed over to (folix-pdf, folix-upload): the locale,
// the escaped streams and the console Ui, the answer flags --yes and --no that folix passes on
// taken out of the arguments, then run with the rest.
int RunHandedOverCommand(int argc, char** argv, int (*run)(CommandContext&));

}  // namespace folix
