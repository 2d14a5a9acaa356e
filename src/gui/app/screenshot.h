#pragma once

#include <QString>

namespace folix::gui {

class CMainFrame;

// For the README and for looking at the window without a display: once the window has settled,
// opens the first text file of the active book, grabs the window to a PNG and quits.
void ScheduleScreenshot(CMainFrame& frame, const QString& png_path);

}  // namespace folix::gui
