#pragma once

#include <string>

namespace folix {

// The reversible scrambling of the user name and password in the profile. It keeps them from
// being read at a glance in the profile file; it is no encryption (whoever has the program can
// undo it), which is why the profile file is readable by its owner only.
std::string ScrambleProfileText(const std::string& text);
// Undoes ScrambleProfileText; a value that was not scrambled by it gives the empty string, so
// a damaged profile never sends garbage as a password.
std::string UnscrambleProfileText(const std::string& scrambled);

}  // namespace folix
