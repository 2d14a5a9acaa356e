#pragma once

#include "rtf/rtf_document.h"

class QTextDocument;

namespace folix::gui {

// The core's rich-text model to the editor's document and back. Formats the model leaves at
// their defaults stay unset in the editor, so the book's font shows through them.
void FillTextDocument(const RtfDocument& source, QTextDocument& target);
RtfDocument ReadTextDocument(const QTextDocument& source);

}  // namespace folix::gui
