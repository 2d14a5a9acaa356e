#pragma once

#include <string>
#include <string_view>

namespace folix {

class Ui;

inline constexpr char kOverwriteQuestion[] = "はすでに存在します。上書きしますか？";

// Whether a build may write its output at path. A file already there that this book did not
// write last time (last_written) is the writer's own, so it is replaced only when the writer
// says Yes; on No the path is emptied (the file has no output this time) and false returned.
bool MayWriteOutput(Ui& ui, std::string& path, const std::string& last_written);
// Whether MayWriteOutput would ask about the file at path now.
bool AsksBeforeWriting(const std::string& path, const std::string& last_written);

// Replaces the file whole, or reports path + "が開けません。(%d)" and leaves it as it was.
bool WriteOutput(Ui& ui, const std::string& path, std::string_view bytes);

}  // namespace folix
