#include "app/WallpaperApp.h"
#include "res/Pictures.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    // The main window may sit hidden in the tray while a parentless dialog
    // closes; that must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(LoadAppIcon());

    CWallpaperApp theApp;
    return RunApplication(theApp);
}
