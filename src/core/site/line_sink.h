#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace folix {

// Where the writers of a build put their lines, one at a time: a list in memory, or a file on
// disk when the lines are the whole book.
class LineSink {
public:
    virtual ~LineSink() = default;
    // The line, then the ending text (such as "<BR>") that completes it.
    virtual void Add(std::string_view line, std::string_view ending = {}) = 0;
};

// The lines kept in a list.
class LineList : public LineSink {
public:
    explicit LineList(std::vector<std::string>& lines) : lines_(lines) {}
    void Add(std::string_view line, std::string_view ending = {}) override {
        std::string& added = lines_.emplace_back(line);
        added += ending;
    }

private:
    std::vector<std::string>& lines_;
};

}  // namespace folix
