#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <string>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

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
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
