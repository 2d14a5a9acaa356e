#pragma once

#include <string_view>

namespace folix {

// Where the text of a group goes.
enum class RtfDestination { kBody, kSkip, kFontTable, kColorTable, kPicture };

// What a destination word does to its group.
struct RtfDestinationWord {
    RtfDestination destination;
    const char* unkept;  // what the document loses when the group is dropped, or null
};

// The destinations the reader knows by name (\pict and \upr, which need more, aside); null for
// any other word.
const RtfDestinationWord* FindRtfDestinationWord(std::string_view name);

// The text a control word stands for (\tab, \emdash, \line...), or empty.
std::string_view RtfCharacterWord(std::string_view name);

// \ul and its dotted, double, wavy... kinds: our underline has one kind.
bool IsRtfUnderlineWord(std::string_view name);

}  // namespace folix
