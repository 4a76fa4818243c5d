// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What later starts of Quilvane ask of the window that owns the session. A
// show asked for is played by the slide-show page itself, as if its list had
// been opened and "Play" pressed, so the page shows what runs and its "Stop"
// stops it.

#include "app/WallpaperApp.h"

#include "app/MainPropertySheet.h"
#include "core/RegConfig.h"
#include "session/Commands.h"

#include <QTimer>

SessionInstance::Reply CWallpaperApp::OnSessionRequest(CMainPropertySheet& sheet,
                                                       const SessionInstance::Request& request)
{
    const QString command = request.value(QStringLiteral("command")).toString();
    CSetWallpaperDlg& page = sheet.m_slideShowPage;
    if (command == QLatin1String("raise")) {
        sheet.OnConfigure();
        return {};
    }
    if (command == QLatin1String("play")) {
        const std::optional<SlideShowRecord> show = ShowOfRequest(request);
        if (!show)
            return {1, QStringLiteral("the running Quilvane got no show to play")};
        page.PlayShow(*show, request.value(QStringLiteral("showNow")).toBool());
        return {};
    }
    if (command == QLatin1String("next") || command == QLatin1String("stop")) {
        if (!page.IsPlaying())
            return {1, NoSlideShowText()};
        if (command == QLatin1String("next"))
            page.ShowNextSlide();
        else
            page.StopShow();
        return {};
    }
    return {1, QStringLiteral("the running Quilvane does not know \"%1\"").arg(command)};
}

void CWallpaperApp::ResumeShowInPage(CMainPropertySheet& sheet)
{
    // Once the window runs: the page is made the way a click on its tab
    // makes it.
    QTimer::singleShot(0, &sheet, [&sheet] {
        const RegConfig* config = RegConfig::GetInstance();
        if (!config || !config->SlideShow().playing || config->SlideShow().entries.isEmpty())
            return;
        sheet.m_slideShowPage.PlayShow(config->SlideShow(), false);
    });
}
