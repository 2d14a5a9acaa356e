#include "gui/platform/qt_profile.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace folix::gui {
namespace {

QString KeyOf(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + "/" + QString::fromStdString(key);
}

}  // namespace

QtProfile::QtProfile()
    : settings_(QSettings::IniFormat, QSettings::UserScope, "morivane", "folix") {}

QtProfile::QtProfile(const QString& file_path) : settings_(file_path, QSettings::IniFormat) {}

std::string QtProfile::GetString(const std::string& section, const std::string& key,
                                 const std::string& fallback) const {
    QVariant value = settings_.value(KeyOf(section, key));
    return value.isValid() ? value.toString().toStdString() : fallback;
}

void QtProfile::WriteString(const std::string& section, const std::string& key,
                            const std::string& value) {
    settings_.setValue(KeyOf(section, key), QString::fromStdString(value));
    Protect();
}

int QtProfile::GetInt(const std::string& section, const std::string& key, int fallback) const {
    bool ok = false;
    int value = settings_.value(KeyOf(section, key)).toInt(&ok);
    return ok ? value : fallback;
}

void QtProfile::WriteInt(const std::string& section, const std::string& key, int value) {
    settings_.setValue(KeyOf(section, key), value);
    Protect();
}

// The file holds the scrambled password: it is made private before anything is written to it,
// since the writer of the settings replaces the file by a new one with the old one's permissions,
// and made private again after every save, whatever the user or the umask did meanwhile.
void QtProfile::Protect() {
    const QString path = settings_.fileName();
    if (!QFile::exists(path)) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        int fd = ::open(QFile::encodeName(path).constData(),
                        O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
        }
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    settings_.sync();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

}  // namespace folix::gui
