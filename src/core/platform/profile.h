#pragma once

#include <string>

namespace folix {

// The application profile: string and integer values by section and key.
class Profile {
public:
    virtual ~Profile() = default;

    virtual std::string GetString(const std::string& section, const std::string& key,
                                  const std::string& fallback = {}) const = 0;
    virtual void WriteString(const std::string& section, const std::string& key,
                             const std::string& value) = 0;
    virtual int GetInt(const std::string& section, const std::string& key, int fallback) const = 0;
    virtual void WriteInt(const std::string& section, const std::string& key, int value) = 0;
};

}  // namespace folix
