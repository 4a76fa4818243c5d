// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every test program starts here: a QApplication on the offscreen platform
// (unless the caller chose one, or the program runs on the test Xvfb) and
// private config and cache folders, so no test reads or writes the user's
// own settings. The programs of the window-free layers get a QGuiApplication
// and are linked without Qt Widgets.

#ifdef QUILVANE_TEST_WINDOW_FREE
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#else
#include <QApplication>
using TestApplication = QApplication;
#endif
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string_view>

int main(int argc, char** argv)
{
#ifdef QUILVANE_TEST_ON_XSERVER
    // The windows of this program are real X windows on the test Xvfb
    // (started by scripts/run-tests.sh); without one its tests skip. Listing
    // the tests needs no display.
    const bool listing = argc > 1 && std::string_view(argv[1]) == "--gtest_list_tests";
    if (const QByteArray display = qgetenv("QUILVANE_TEST_DISPLAY"); !display.isEmpty() && !listing) {
        qputenv("DISPLAY", display);
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
#endif
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // One private config and cache folder per test process; ctest runs them
    // in parallel.
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    QTemporaryDir cacheHome;
    qputenv("XDG_CACHE_HOME", cacheHome.path().toLocal8Bit());

    TestApplication app(argc, argv);
    TestApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
