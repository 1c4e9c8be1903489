// The report rendering tests need Qt's text layout but no display.

#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv) {
    // gtest_discover_tests runs this binary while building: choose the platform here.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
