#include "platform/processend.h"

#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

int runTests(int argc, char* argv[])
{
    // Whatever a test does, the user's own settings and data stay untouched.
    QStandardPaths::setTestModeEnabled(true);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

} // namespace

int main(int argc, char* argv[])
{
    // Ends as the program does, so a test that touched the sound server
    // cannot fail after its verdict.
    skyraid::endProcess(runTests(argc, argv));
}
