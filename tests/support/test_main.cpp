#include <QCoreApplication>
#include <gtest/gtest.h>

// Tests run under a core application: timers, sockets and queued calls need one, a display does not.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
