#include "rtf/rtf_document.h"

#include <utility>

namespace folix {

bool RtfRun::operator==(const RtfRun& other) const {
    if (text != other.text || !(format == other.format)) {
        return false;
    }
    if (!picture || !other.picture) {
        return !picture && !other.picture;
    }
    return *picture == *other.picture;
}

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
    paragraph.runs.push_back(RtfRun{std::string(text), format, nullptr});
}

void AppendPicture(RtfParagraph& paragraph, RtfPicture picture, const RtfCharFormat& format) {
    paragraph.runs.push_back(
        RtfRun{std::string(), format, std::make_shared<const RtfPicture>(std::move(picture))});
}

}  // namespace folix
