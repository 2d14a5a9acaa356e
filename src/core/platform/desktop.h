#pragma once

#include <string>

namespace folix {

// The desktop around the program.
class Desktop {
public:
    virtual ~Desktop() = default;

    // Moves a file or folder to the desktop's trash; errno on failure, 0 on success.
    virtual int MoveToTrash(const std::string& path) = 0;
    // Opens a file or URL with the desktop's default program.
    virtual bool OpenWithDefaultProgram(const std::string& path_or_url) = 0;
};

}  // namespace folix
