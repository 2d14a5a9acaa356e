#include "gui/qt_profile.h"

#include <QFile>

namespace folix::gui {
namespace {

QString KeyOf(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + "/" + QString::fromStdString(key);
}

}  // namespace

QtProfile::QtProfile() : settings_(QSettings::IniFormat, QSettings::UserScope, "morivane", "folix") {}

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

void QtProfile::Protect() {
    settings_.sync();
    QFile::setPermissions(settings_.fileName(), QFile::ReadOwner | QFile::WriteOwner);
}

}  // namespace folix::gui
