#include "cli/control_escaping_stream.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace folix {
namespace {

using namespace std::string_literals;

// What reaches a terminal: controls written out, line ends, tabs, the beep and every printable
// character (Japanese included) as they are, a C1 control escaped even when its bytes arrive
// in separate writes.
TEST(ControlEscapingStream, ControlsAreWrittenOutAndTextPasses) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"本文 plain\ttab\n", "本文 plain\ttab\n"},
        {"esc\x1b[2J", "esc\\x1b[2J"},
        {"nul\0end"s, "nul\\x00end"},
        {"cr\rover", "cr\\x0dover"},
        {"line\r\nend\r", "line\r\nend\\x0d"},
        {"del\x7f beep\a", "del\\x7f beep\a"},
        {"c1 \xc2\x9b"
         "31m",
         "c1 \\xc2\\x9b31m"},
        {"latin \xc2\xa9 \xc2", "latin \xc2\xa9 \xc2"},
    };
    for (const auto& [written, shown] : cases) {
        std::ostringstream whole;
        std::ostringstream bytewise;
        {
            ControlEscapingStream out(whole);
            out << written;
            ControlEscapingStream byte_out(bytewise);
            for (char c : written) {
                byte_out << c << std::flush;  // what is held must survive a flush
            }
        }
        EXPECT_EQ(whole.str(), shown) << shown;
        EXPECT_EQ(bytewise.str(), shown) << shown;
    }
}

}  // namespace
}  // namespace folix
