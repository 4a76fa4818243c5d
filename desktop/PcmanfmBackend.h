// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// LXQt and LXDE: their desktop is drawn by the file manager (pcmanfm-qt or
// pcmanfm), whose running instance takes a new wallpaper from the command
// line: --set-wallpaper=PATH --wallpaper-mode=center|tile|stretch. pcmanfm-qt
// gets a link of ours to the picture, named after its content.

#include "desktop/DesktopBackend.h"

#include <utility>

class PcmanfmBackend final : public DesktopBackend {
public:
    // program: "pcmanfm-qt" (LXQt) or "pcmanfm" (LXDE); name: "lxqt" or "lxde".
    PcmanfmBackend(QString program, QString name) : m_program(std::move(program)), m_name(std::move(name)) {}

    QString Name() const override { return m_name; }
    bool SetWallpaper(const QString& absolutePath, WallpaperStyle style) override;

    // The name the program is given for the picture: the path itself, or
    // for pcmanfm-qt a link of ours (see the source). Empty when no link
    // could be made.
    QString PathToSend(const QString& absolutePath) const;

private:
    QString m_program;
    QString m_name;
};
