#pragma once

#include <string>
#include <vector>

#include "book/control_file.h"

namespace folix {

class Ui;

// The value kinds of a control file, and the rule shared by the files with a fixed number of
// lines (options, font, HTML options).

// Leading decimal digits after optional white space and sign; 0 when there are none.
int ParseControlInt(const std::string& line);
// Only "true", exactly, is true.
bool ParseControlBool(const std::string& line);
std::string FormatControlInt(int value);
std::string FormatControlBool(bool value);

// Reads a fixed-layout file. True when it was read and held at least one value line; the lines
// are then exactly line_count long (missing ones empty, surplus ones dropped). False means every
// value takes its default.
bool ReadFixedLayout(Ui& ui, const std::string& path, size_t line_count, ControlFile& file);

// ReadFixedLayout of a file that may not be there, without making it: a settings file that
// appears only once a setting is saved, so a book that never used them keeps exactly its files.
// False when it is missing.
bool ReadFixedLayoutIfPresent(Ui& ui, const std::string& path, size_t line_count,
                              ControlFile& file);

// Read-before-write: the lines are written only when the file as it is reads as a control file,
// and in the encoding it was read in.
bool WriteFixedLayout(Ui& ui, const std::string& path, std::vector<std::string> lines);

}  // namespace folix
