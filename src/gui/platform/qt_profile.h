#pragma once

#include <QSettings>

#include "platform/profile.h"

namespace folix::gui {

// The application profile in the user's configuration folder ("morivane"/"folix"), readable by
// the user alone since it holds the upload settings.
class QtProfile : public Profile {
public:
    QtProfile();
    // A profile in a file of its own (tests).
    explicit QtProfile(const QString& file_path);

    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& fallback = {}) const override;
    void WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;
    int GetInt(const std::string& section, const std::string& key, int fallback) const override;
    void WriteInt(const std::string& section, const std::string& key, int value) override;

private:
    void Protect();

    QSettings settings_;
};

}  // namespace folix::gui
