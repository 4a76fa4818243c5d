// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A desktop that records each picture it is asked to show, and each it is
// asked to put back on changed monitors, in the order asked, and answers as
// the test sets it up. The record is the test's: the wallpaper manager owns
// the back end and may drop it at any time.
// Header-only, so the shared test library stays free of the desktop layer.

#include "desktop/DesktopBackend.h"

#include <QString>
#include <QStringList>
#include <vector>

class RecordingDesktop final : public DesktopBackend {
public:
    struct Shown {
        QString path;
        WallpaperStyle style;
        // Put back after the monitors changed (FollowMonitors), not asked for.
        bool followed = false;
        bool operator==(const Shown&) const = default;
    };
    struct Answers {
        // What SetWallpaper returns.
        bool succeed = true;
        // What DecodesPicture returns.
        bool decodes = false;
    };

    explicit RecordingDesktop(std::vector<Shown>* shown) : m_shown(shown), m_answers() {}
    RecordingDesktop(std::vector<Shown>* shown, Answers answers) : m_shown(shown), m_answers(answers) {}

    QString Name() const override { return QStringLiteral("recording"); }
    bool DecodesPicture() const override { return m_answers.decodes; }
    bool SetWallpaper(const QString& path, WallpaperStyle style) override
    {
        m_shown->push_back({path, style});
        return m_answers.succeed;
    }
    bool FollowMonitors(const QString& path, WallpaperStyle style) override
    {
        m_shown->push_back({path, style, true});
        return true;
    }

    // The paths alone, in the order shown.
    static QStringList Paths(const std::vector<Shown>& shown)
    {
        QStringList paths;
        for (const Shown& s : shown)
            paths << s.path;
        return paths;
    }

private:
    std::vector<Shown>* m_shown;
    Answers m_answers;
};
