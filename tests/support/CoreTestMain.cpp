#include <QCoreApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

// Tests of the widget-free libraries still get an event loop: file locks,
// timers and child processes use it.
int main(int argc, char **argv)
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
