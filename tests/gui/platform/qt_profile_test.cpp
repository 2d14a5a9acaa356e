#include "gui/platform/qt_profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>

namespace folix::gui {
namespace {

unsigned ModeOf(const QString& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.toUtf8().constData(), &status), 0) << path.toStdString();
    return status.st_mode & 07777;
}

// The profile holds the scrambled FTP password: only its owner may read it, from the first
// write on, under a permissive umask, and again after someone opened it up.
TEST(QtProfileTest, StaysReadableByItsOwnerOnly) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/config/morivane/folix.ini";
    const mode_t old_mask = ::umask(0);
    {
        QtProfile profile(path);
        profile.WriteString("Settings", "param2", "scrambled");
        EXPECT_EQ(ModeOf(path), 0600u);

        ::chmod(path.toUtf8().constData(), 0644);
        profile.WriteInt("Settings", "p0", 1);
        EXPECT_EQ(ModeOf(path), 0600u);
    }
    ::umask(old_mask);
    QtProfile again(path);
    EXPECT_EQ(again.GetString("Settings", "param2"), "scrambled");
    EXPECT_EQ(again.GetInt("Settings", "p0", 0), 1);
}

}  // namespace
}  // namespace folix::gui
