// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MainPropertySheet.h"
#include "app/WallpaperApp.h"
#include "platform/Warning.h"
#include "res/Pictures.h"
#include "res/Translations.h"
#include "session/CommandLine.h"
#include "session/Commands.h"
#include "session/SessionInstance.h"
#include "widgets/ModalRun.h"

#include <QApplication>
#include <QTimer>

#include <optional>

namespace {

bool MainWindowShown()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<CMainPropertySheet*>(w) && w->isVisible())
            return true;
    }
    return false;
}

// Owns the session, or brings the window that owns it to the front: then
// the exit code. A windowless owner (a slide show from the command line)
// hands the session over instead, and *handedOver says this window plays
// its show on.
std::optional<int> JoinSession(SessionInstance& session, bool* handedOver)
{
    *handedOver = false;
    SessionInstance::Reply reply;
    while (session.ClaimOrSend({{QStringLiteral("command"), QStringLiteral("raise")}}, &reply) ==
           SessionInstance::Role::Client) {
        if (reply.code != SessionInstance::kNoWindow) {
            if (!reply.message.isEmpty())
                Warning(reply.message);
            return reply.code;
        }
        *handedOver = true;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    QByteArrayList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    const CommandLine line = ParseCommandLine(arguments);
    if (line.action != CommandLine::Action::Window)
        return RunCommand(line, argc, argv);
    ApplyDesktopChoice(line);

    QApplication qapp(argc, argv);
    // In the language the session asks for (LANGUAGE, LC_ALL, LC_MESSAGES,
    // LANG), where the program has a translation; English otherwise.
    InstallTranslations(QLocale::system());
    // The main window may sit hidden in the tray while a parentless dialog
    // closes; that must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    // The id the desktop file, the metainfo and the icon theme know us by:
    // docks and task bars group our windows with the launcher through it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quilvane.Quilvane"));
    QApplication::setWindowIcon(LoadAppIcon());

    SessionInstance session;
    bool handedOver = false;
    if (const std::optional<int> code = JoinSession(session, &handedOver))
        return *code;

    // QUILVANE_QUIT_WHEN_SHOWN: a start-up check for scripts and tests. As
    // soon as the main window runs, the session ends the way "&Quit" ends
    // it (settings saved); the exit code is 0 only if the window was shown.
    if (qEnvironmentVariableIsSet("QUILVANE_QUIT_WHEN_SHOWN"))
        QTimer::singleShot(0, [] { PostQuit(MainWindowShown() ? 0 : 2); });

    CWallpaperApp theApp;
    theApp.SetSession(&session, handedOver);
    return RunApplication(theApp);
}
