// The Qt tests run without a display: the offscreen platform, and QSettings and
// QStandardPaths kept away from the user's own profile.

#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
    // gtest_discover_tests runs this binary while building, where no CTest
    // environment reaches: choose the platform here.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
