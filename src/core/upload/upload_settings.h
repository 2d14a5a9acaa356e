#pragma once

#include <string>

namespace folix {

class Profile;

// The upload's settings kept in the application profile, section "OnUpload".
struct UploadSettings {
    std::string server;  // an FTP URL or a server name, as typed
    std::string user;
    std::string password;  // empty unless the writer chose to keep it
    bool save_password = false;
};

inline constexpr char kUploadSection[] = "OnUpload";

UploadSettings LoadUploadSettings(const Profile& profile);
// Writes the settings; the password is written empty unless save_password is on. The user name
// and the password are stored scrambled.
void SaveUploadSettings(Profile& profile, const UploadSettings& settings);

}  // namespace folix
