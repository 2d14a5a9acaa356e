#include "gui/app/folix_app.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QTranslator>

#include "book/recent_files.h"
#include "gui/app/main_frame.h"
#include "gui/app/screenshot.h"
#include "gui/app/window_memory.h"
#include "gui/platform/qt_desktop.h"
#include "gui/platform/qt_profile.h"
#include "gui/platform/qt_ui.h"

namespace folix::gui {

CFolixApp::CFolixApp()
    : own_ui_(std::make_unique<QtUi>()),
      own_desktop_(std::make_unique<QtDesktop>()),
      own_profile_(std::make_unique<QtProfile>()),
      ui_(*own_ui_),
      desktop_(*own_desktop_),
      profile_(*own_profile_) {}

CFolixApp::CFolixApp(Ui& ui, Desktop& desktop, Profile& profile)
    : ui_(ui), desktop_(desktop), profile_(profile) {}

CFolixApp::~CFolixApp() = default;

void CFolixApp::PruneRecentFiles(Profile& profile) {
    ReplaceRecentFile(profile, "", "");
}

bool CFolixApp::InitInstance(const QStringList& arguments) {
    PruneRecentFiles(profile_);
    main_frame_ = std::make_unique<CMainFrame>(ui_, desktop_, profile_);
    main_frame_->setWindowIcon(QIcon(":/folix/folix.png"));
    if (auto* qt_ui = dynamic_cast<QtUi*>(&ui_)) {
        qt_ui->SetParent(main_frame_.get());
    }
    ShowAsRemembered(*main_frame_, profile_);
    if (!arguments.isEmpty()) {
        return main_frame_->OpenDocument(arguments.first().toStdString());
    }
    const std::vector<std::string> recent = LoadRecentFiles(profile_);
    if (!recent.empty()) {
        main_frame_->OpenDocument(recent.front());  // a missing book says so and we go on
    }
    return true;
}

int RunGui(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("folix");
    QApplication::setOrganizationName("morivane");
    QApplication::setWindowIcon(QIcon(":/folix/folix.png"));
    // Qt's own windows (the font chooser, the print dialogs) in Japanese, as the rest of ours.
    QTranslator qt_texts;
    if (qt_texts.load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qt_texts);
    }
    QFont font = QApplication::font();
    font.setFamilies({font.family(), "Noto Sans CJK JP"});
    QApplication::setFont(font);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    CFolixApp app;
    if (!app.InitInstance(arguments)) {
        return 1;
    }
    // Logging out asks about changed files as closing does; a session that may not ask gets
    // the text kept in the books' recovery copies instead.
    QObject::connect(&application, &QGuiApplication::commitDataRequest,
                     [&app](QSessionManager& manager) {
                         if (!app.MainFrame().CommitSession(manager.allowsInteraction())) {
                             manager.cancel();
                         }
                         manager.release();
                     });
    const QString screenshot = qEnvironmentVariable("FOLIX_SCREENSHOT");
    if (!screenshot.isEmpty()) {
        app.MainFrame().resize(1200, 760);
        ScheduleScreenshot(app.MainFrame(), screenshot);
    }
    return QApplication::exec();
}

}  // namespace folix::gui
