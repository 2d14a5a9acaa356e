#include "rtf/rtf_plain_text.h"

#include "rtf/rtf_reader.h"

namespace folix {

namespace {

void AppendRunText(std::string& out, std::string_view text) {
    size_t pos = 0;
    while (pos < text.size()) {
        size_t brk = text.find(kRtfLineBreak, pos);
        if (brk == std::string_view::npos) {
            out.append(text.substr(pos));
            return;
        }
        out.append(text.substr(pos, brk - pos));
        out.append("\r\n");
        pos = brk + kRtfLineBreak.size();
    }
}

}  // namespace

std::string RtfPlainText(const RtfDocument& document) {
    std::string out;
    bool first = true;
    for (const RtfParagraph& paragraph : document.paragraphs) {
        if (!first) {
            out.append("\r\n");
        }
        first = false;
        for (const RtfRun& run : paragraph.runs) {
            AppendRunText(out, run.text);
        }
    }
    return out;
}

std::string RtfPlainText(std::string_view rtf_bytes) {
    return RtfPlainText(ReadRtf(rtf_bytes).document);
}

}  // namespace folix
