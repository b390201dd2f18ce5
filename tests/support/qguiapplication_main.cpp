// Test programs that draw (fonts need a graphical application) but make no widgets; this main
// comes before GoogleTest's own.
#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv) {
    // The build lists the tests by running this program, where no display may exist.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
