// The page writer on the text of one book file: tables, embedded lists and the <BR> rules.
// The input up to its first NUL byte is the file; what follows is every list it embeds, so
// lists that embed themselves are reached too. Whatever the text names, a list is only ever read
// from the book folder, under a name without a control character.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "book/file_name_check.h"
#include "book/path_parts.h"
#include "fuzz_support.h"
#include "site/page_writer.h"

using namespace folix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\0');
    const std::string page = input.substr(0, split);
    const std::string list = split == std::string::npos ? std::string() : input.substr(split + 1);

    fuzz::SilentUi ui;
    SiteBook book{"/book", "/"};
    book.read_text = [&](Ui&, const std::string& path, std::string& text) {
        if (ExtensionPart(path) == "lst") {
            // The book folder or a folder in it: nothing from the root up, no way back out.
            const std::string below = path.substr(0, 6) == "/book/" ? path.substr(6) : "";
            bool inside = !below.empty() && below.find('\\') == std::string::npos &&
                          !HasControlCharacter(path);
            for (size_t start = 0; inside && start <= below.size();) {
                const size_t end = std::min(below.find('/', start), below.size());
                const std::string name = below.substr(start, end - start);
                inside = !name.empty() && name != "." && name != "..";
                start = end + 1;
            }
            fuzz::Require(inside, "a list is read from outside the book folder");
        }
        text = ExtensionPart(path) == "lst" ? list : page;
        return true;
    };
    PageWriter writer(ui, book);
    std::vector<std::string> lines;
    writer.AppendFileText("/book/page.txt", lines);
    return 0;
}
