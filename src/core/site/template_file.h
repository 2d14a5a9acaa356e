#pragma once

#include <optional>
#include <string>

namespace folix {

class Ui;

// The text of a template file of the book folder, decoded from its own encoding and otherwise
// used as it is. A missing or empty template is given the default text (in UTF-8) and the
// default is used; the writer edits it from then on. A template that cannot be read is
// reported and the default used for this build, its file left as it is.
std::string LoadTemplate(Ui& ui, const std::string& template_path, const std::string& default_text);

// The template's text when its file is in place and reads: what LoadTemplate gives then, with
// no word to the writer and no write. Nothing otherwise.
std::optional<std::string> ReadTemplateInPlace(const std::string& template_path);

}  // namespace folix
