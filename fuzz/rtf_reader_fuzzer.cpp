// The RTF reader on any bytes, and the writer on whatever it read: neither may crash, and what
// the writer wrote must read back to the same plain text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "rtf/rtf_plain_text.h"
#include "rtf/rtf_reader.h"
#include "rtf/rtf_writer.h"

using namespace folix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    RtfReadResult read = ReadRtf(bytes);
    const std::string text = RtfPlainText(read.document);
    const std::string written = WriteRtf(read.document);
    RtfReadResult reread = ReadRtf(written);
    fuzz::Require(RtfPlainText(reread.document) == text,
                  "the text changes when the document is written and read");
    return 0;
}
