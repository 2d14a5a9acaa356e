#pragma once

#include <QString>

class QMainWindow;

namespace folix {
class Profile;
}  // namespace folix

namespace folix::gui {

// The main window's size, position and maximised state, kept in the profile as the window
// closes and given back as it is shown; the first start shows it maximised.
void ShowAsRemembered(QMainWindow& window, const Profile& profile);
void RememberWindow(const QMainWindow& window, Profile& profile);

// Where the open dialog starts: the folder of the book opened last, or nothing.
QString LastBookFolder(const Profile& profile);

inline constexpr char kWindowSection[] = "Window";

}  // namespace folix::gui
