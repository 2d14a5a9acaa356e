#include "gui/app/window_memory.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>

#include "book/recent_files.h"
#include "platform/profile.h"

namespace folix::gui {
namespace {

constexpr char kGeometryKey[] = "Geometry";

}  // namespace

void ShowAsRemembered(QMainWindow& window, const Profile& profile) {
    const QByteArray geometry = QByteArray::fromBase64(
        QByteArray::fromStdString(profile.GetString(kWindowSection, kGeometryKey)));
    // Geometry that does not fit any screen any more is put back on one by the window itself.
    if (geometry.isEmpty() || !window.restoreGeometry(geometry)) {
        window.showMaximized();
        return;
    }
    window.show();
}

void RememberWindow(const QMainWindow& window, Profile& profile) {
    profile.WriteString(kWindowSection, kGeometryKey,
                        window.saveGeometry().toBase64().toStdString());
}

QString LastBookFolder(const Profile& profile) {
    const std::vector<std::string> recent = LoadRecentFiles(profile);
    if (recent.empty()) {
        return {};
    }
    const QFileInfo book(QString::fromStdString(recent.front()));
    return book.dir().exists() ? book.absolutePath() : QString();
}

}  // namespace folix::gui
