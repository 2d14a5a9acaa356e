#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rtf/rtf_document.h"

namespace folix {

inline constexpr char kUnkeptContentNotice[] =
    "このファイルには保存すると失われる内容が含まれているため、読取専用で開きます。";

struct RtfReadResult {
    RtfDocument document;
    // What the file held that the document cannot keep, each kind named once in the order met:
    // "object", "picture" (a format other than PNG and JPEG), "shape", "field", "footnote",
    // "header", "footer", "comment", "nesting" (groups deeper than we follow). Saving would drop
    // it, so the editor opens such a file read-only with kUnkeptContentNotice.
    std::vector<std::string> unkept;

    bool KeepsEverything() const { return unkept.empty(); }
};

// Reads RTF as word processors and text editors write it. Never fails: damaged, truncated or
// foreign bytes are read as far as they make sense. Runs in time and memory proportional to the
// input, without recursion, whatever the file holds.
RtfReadResult ReadRtf(std::string_view bytes);

}  // namespace folix
