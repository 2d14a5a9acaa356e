#pragma once

#include <map>
#include <string>
#include <utility>

#include "platform/profile.h"

namespace folix::testing {

// An application profile held in memory.
class MemoryProfile : public Profile {
public:
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& fallback = {}) const override {
        auto it = values_.find({section, key});
        return it == values_.end() ? fallback : it->second;
    }
    void WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override {
        values_[{section, key}] = value;
    }
    int GetInt(const std::string& section, const std::string& key, int fallback) const override {
        auto it = values_.find({section, key});
        return it == values_.end() ? fallback : std::stoi(it->second);
    }
    void WriteInt(const std::string& section, const std::string& key, int value) override {
        values_[{section, key}] = std::to_string(value);
    }

private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
};

}  // namespace folix::testing
