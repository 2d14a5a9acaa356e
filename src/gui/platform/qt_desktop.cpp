#include "gui/platform/qt_desktop.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include <cerrno>

namespace folix::gui {

int QtDesktop::MoveToTrash(const std::string& path) {
    // Without ~/.local/share the trash "succeeds" into a folder under the current one; make
    // sure the real trash can exist first.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || !QDir().mkpath(data)) {
        return EACCES;
    }
    const QString file = QString::fromStdString(path);
    if (!QFileInfo::exists(file)) {
        return ENOENT;
    }
    QString in_trash;
    if (!QFile::moveToTrash(file, &in_trash) || in_trash.isEmpty() || QFileInfo::exists(file)) {
        return EACCES;
    }
    return 0;
}

bool QtDesktop::OpenWithDefaultProgram(const std::string& path_or_url) {
    const QString target = QString::fromStdString(path_or_url);
    // The browser is handed a whole URL, whatever folder the program was started in.
    QUrl url = target.contains("://") ? QUrl(target)
                                      : QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    return QDesktopServices::openUrl(url);
}

}  // namespace folix::gui
