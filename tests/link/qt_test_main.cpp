#include <QCoreApplication>

#include <gtest/gtest.h>

// The link posts its messages through Qt's event queue, so the tests run under an application
// object and deliver them with processEvents.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
