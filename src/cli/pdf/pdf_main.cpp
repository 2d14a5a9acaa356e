#include <QGuiApplication>

#include <cstdlib>

#include "cli/handed_over_main.h"
#include "cli/pdf/pdf_command.h"

// folix-pdf: `folix pdf` handed over to a program of its own, so that Qt's painting and fonts
// are loaded by this command alone and every other command starts without them. Its
// arguments are those after `pdf`.
int main(int argc, char** argv) {
    // Fonts and painting need a platform, never a display: without one it draws offscreen.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr && std::getenv("DISPLAY") == nullptr &&
        std::getenv("WAYLAND_DISPLAY") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    int qt_argc = 1;
    QGuiApplication application(qt_argc, argv);
    return folix::RunHandedOverCommand(argc, argv, folix::RunPdf);
}
