#include <QApplication>
#include <gtest/gtest.h>

// Widget tests need a GUI application; they draw offscreen unless told otherwise.
int main(int argc, char** argv) {
    // Also when CTest lists the tests at build time, where no display is set.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
