#pragma once

#include "platform/desktop.h"

namespace folix::gui {

// The desktop's trash and its default programs.
class QtDesktop : public Desktop {
public:
    int MoveToTrash(const std::string& path) override;
    bool OpenWithDefaultProgram(const std::string& path_or_url) override;
};

}  // namespace folix::gui
