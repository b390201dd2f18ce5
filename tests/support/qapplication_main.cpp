// Test programs that draw (fonts need a graphical application) or create widgets or models need an
// application object; this main comes before GoogleTest's own.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    // The build lists the tests by running this program, where no display may exist.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
