// The notation parser and the site's notation markup on one line of any bytes: the runs tile
// the line, every base lies where its run says, the base text is the runs' bases in order, the
// upright runs lie in order inside the text, and a line without brackets, bars, digits, marks or
// markup comes out of the markup as it went in.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "notation/novel_notation.h"
#include "site/notation_markup.h"

using namespace folix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);

    std::size_t at = 0;
    std::string bases;
    for (const NotationRun& run : ParseNotation(line)) {
        fuzz::Require(run.begin == at && run.begin < run.end, "runs leave a gap or overlap");
        fuzz::Require(run.begin <= run.base_begin && run.base_begin <= run.base_end &&
                          run.base_end <= run.end,
                      "a base lies outside its run");
        if (run.kind != NotationKind::kText) {
            fuzz::Require(
                line.compare(run.base_begin, run.base_end - run.base_begin, run.base) == 0,
                "a base is not where its run says");
        }
        bases += run.base;
        at = run.end;
    }
    fuzz::Require(at == line.size(), "the runs stop short of the line's end");
    fuzz::Require(NotationBaseText(line) == bases, "the base text is not the runs' bases");

    const int digits = size == 0 ? 2 : 2 + data[0] % 3;
    std::size_t after = 0;
    for (const UprightRun& run : FindUprightRuns(line, digits)) {
        fuzz::Require(after <= run.begin && run.begin < run.end && run.end <= line.size(),
                      "upright runs out of order or outside the text");
        after = run.end;
    }

    NotationMarkup markup(true, digits);
    const std::string html = markup.Convert(line);
    if (line.find_first_of("|<&!?0123456789\xEF\xE3") == std::string::npos) {
        fuzz::Require(html == line, "a line without notation changed");
    }
    return 0;
}
