#pragma once

#include <QStringList>

#include <memory>

namespace folix {
class Desktop;
class Profile;
class Ui;
}  // namespace folix

namespace folix::gui {

class CMainFrame;

// The application: the profile, the recent-file list kept to book files, the main window, and
// the book named on the command line or the most recent one.
class CFolixApp {
public:
    // The desktop's own services; tests pass theirs.
    CFolixApp();
    CFolixApp(Ui& ui, Desktop& desktop, Profile& profile);
    ~CFolixApp();

    // Starts the program with the command line's arguments (without the program's name).
    bool InitInstance(const QStringList& arguments);
    CMainFrame& MainFrame() { return *main_frame_; }

    // Drops every entry of the recent-file list that is not a book file.
    static void PruneRecentFiles(Profile& profile);

private:
    std::unique_ptr<Ui> own_ui_;
    std::unique_ptr<Desktop> own_desktop_;
    std::unique_ptr<Profile> own_profile_;
    Ui& ui_;
    Desktop& desktop_;
    Profile& profile_;
    std::unique_ptr<CMainFrame> main_frame_;
};

// Runs the window until it closes; the exit code of the program.
int RunGui(int argc, char** argv);

}  // namespace folix::gui
