#pragma once

#include <map>
#include <string>
#include <utility>

#include "platform/profile.h"

namespace folix {

// The application profile as the window left it, read from its INI file. The command line
// only reads it: what is written stays in memory and is gone when the command ends.
class ReadOnlyProfile : public Profile {
public:
    explicit ReadOnlyProfile(const std::string& path);

    // Where the window keeps the profile: $XDG_CONFIG_HOME (or ~/.config), morivane/folix.conf.
    static std::string DefaultPath();

    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& fallback = {}) const override;
    void WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;
    int GetInt(const std::string& section, const std::string& key, int fallback) const override;
    void WriteInt(const std::string& section, const std::string& key, int value) override;

private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
};

}  // namespace folix
