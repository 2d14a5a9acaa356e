#pragma once

#include <string>

#include "rtf/rtf_document.h"

namespace folix {

// Writes the document as RTF that our reader and the common word processors read back with the
// same text and formatting. Every character beyond ASCII goes out as \uN, followed by its
// Shift_JIS bytes for readers that know no Unicode (a '?' where Shift_JIS has none), under
// \ansicpg932: Japanese text comes back exactly, and even an old reader shows it right.
std::string WriteRtf(const RtfDocument& document);

}  // namespace folix
