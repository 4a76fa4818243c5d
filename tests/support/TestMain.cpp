// Every test program starts here: a QApplication on the offscreen platform
// (unless the caller chose one, or the program shows its windows on the
// test Xvfb) and private config folders, so no test reads
// or writes the user's own settings.

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
#ifdef QUILVANE_TEST_WIDGETS_ON_XSERVER
    // Windows on the test command's Xvfb, with the desktop that server
    // offers: the root window's own background.
    if (const QByteArray display = qgetenv("QUILVANE_TEST_DISPLAY"); !display.isEmpty()) {
        qputenv("DISPLAY", display);
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("QUILVANE_DESKTOP", "x11");
    }
#endif
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // One private config folder per test process; ctest runs them in parallel.
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());

    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
