#include "upload/upload_settings.h"

#include "platform/profile.h"
#include "upload/ftp_url.h"
#include "upload/profile_scrambling.h"

namespace folix {
namespace {

constexpr char kServerKey[] = "URL";
constexpr char kUserKey[] = "param1";
constexpr char kSavePasswordKey[] = "p0";
constexpr char kPasswordKey[] = "param2";

}  // namespace

UploadSettings LoadUploadSettings(const Profile& profile) {
    UploadSettings settings;
    settings.server = profile.GetString(kUploadSection, kServerKey);
    settings.user = UnscrambleProfileText(profile.GetString(kUploadSection, kUserKey));
    settings.save_password = profile.GetInt(kUploadSection, kSavePasswordKey, 0) != 0;
    // A password left in the profile by hand while saving is off is not used.
    if (settings.save_password) {
        settings.password = UnscrambleProfileText(profile.GetString(kUploadSection, kPasswordKey));
    }
    return settings;
}

void SaveUploadSettings(Profile& profile, const UploadSettings& settings) {
    profile.WriteString(kUploadSection, kServerKey, ServerTextWithoutPassword(settings.server));
    profile.WriteString(kUploadSection, kUserKey, ScrambleProfileText(settings.user));
    profile.WriteInt(kUploadSection, kSavePasswordKey, settings.save_password ? 1 : 0);
    profile.WriteString(kUploadSection, kPasswordKey,
                        settings.save_password ? ScrambleProfileText(settings.password) : "");
}

}  // namespace folix
