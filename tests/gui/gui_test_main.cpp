#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// The standard boxes the program may open on its own. The tests answer the core's questions
// through a scripted Ui; a box like these, offscreen, would wait for a click that never comes.
constexpr const char* kStandardBoxes[] = {"QMessageBox", "QInputDialog", "QFileDialog",
                                          "QColorDialog", "QPrintDialog"};

// Fails the running test on a standard box that waits for an answer, naming its text, and
// closes the box unanswered, so the test goes on to fail cleanly instead of waiting until the
// time-out ends the whole program.
void FailOnAWaitingBox() {
    QWidget* modal = QApplication::activeModalWidget();
    auto* dialog = qobject_cast<QDialog*>(modal);
    if (dialog == nullptr ||
        std::none_of(std::begin(kStandardBoxes), std::end(kStandardBoxes),
                     [&](const char* name) { return dialog->inherits(name); })) {
        return;
    }
    QString text = dialog->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        text += ": " + box->text();
    }
    ADD_FAILURE() << "a box nobody scripted waits for an answer: " << text.toStdString();
    dialog->reject();
}

}  // namespace

namespace folix {
int TypeIntoBookUntilKilled(const std::string& book);
}

// The windows are tested offscreen, with a home of their own: no display is needed and the
// writer's own profile and trash are never touched.
int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    QDir().mkpath(home.path() + "/config");
    ::chmod(home.path().toUtf8().constData(), 0700);
    QApplication application(argc, argv);
    // The crash test's window to kill, started by the test from this same program.
    if (const char* book = std::getenv("FOLIX_TEST_TYPE_INTO")) {
        return folix::TypeIntoBookUntilKilled(book);
    }
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &FailOnAWaitingBox);
    watch.start(100);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
