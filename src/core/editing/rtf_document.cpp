#include "editing/rtf_document.h"

#include <utility>

namespace folix {

void AppendText(RtfParagraph& paragraph, std::string_view text, const RtfCharFormat& format) {
    if (text.empty()) {
        return;
    }
    if (!paragraph.runs.empty()) {
        RtfRun& last = paragraph.runs.back();
        if (!last.picture && last.format == format) {
            last.text.append(text);
            return;
        }
    }
    paragraph.runs.push_back(RtfRun{std::string(text), format, std::nullopt});
}

void AppendPicture(RtfParagraph& paragraph, RtfPicture picture, const RtfCharFormat& format) {
    paragraph.runs.push_back(RtfRun{std::string(), format, std::move(picture)});
}

}  // namespace folix
