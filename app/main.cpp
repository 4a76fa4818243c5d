#include "app/MainPropertySheet.h"
#include "app/WallpaperApp.h"
#include "platform/ModalRun.h"
#include "res/Pictures.h"

#include <QApplication>
#include <QTimer>

namespace {

bool MainWindowShown()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<CMainPropertySheet*>(w) && w->isVisible())
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    // The main window may sit hidden in the tray while a parentless dialog
    // closes; that must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    // The id the desktop file, the metainfo and the icon theme know us by:
    // docks and task bars group our windows with the launcher through it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quilvane.Quilvane"));
    QApplication::setWindowIcon(LoadAppIcon());

    // QUILVANE_QUIT_WHEN_SHOWN: a start-up check for scripts and tests. As
    // soon as the main window runs, the session ends the way "&Quit" ends
    // it (settings saved); the exit code is 0 only if the window was shown.
    if (qEnvironmentVariableIsSet("QUILVANE_QUIT_WHEN_SHOWN"))
        QTimer::singleShot(0, [] { PostQuit(MainWindowShown() ? 0 : 2); });

    CWallpaperApp theApp;
    return RunApplication(theApp);
}
