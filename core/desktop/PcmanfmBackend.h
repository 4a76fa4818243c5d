#pragma once

// LXQt and LXDE: their desktop is drawn by the file manager (pcmanfm-qt or
// pcmanfm), whose running instance takes a new wallpaper from the command
// line: --set-wallpaper=PATH --wallpaper-mode=center|tile|stretch.

#include "core/desktop/DesktopBackend.h"

#include <utility>

class PcmanfmBackend final : public DesktopBackend {
public:
    // program: "pcmanfm-qt" (LXQt) or "pcmanfm" (LXDE); name: "lxqt" or "lxde".
    PcmanfmBackend(QString program, QString name) : m_program(std::move(program)), m_name(std::move(name)) {}

    QString Name() const override { return m_name; }
    bool SetWallpaper(const QString& absolutePath, WallpaperStyle style) override;

private:
    QString m_program;
    QString m_name;
};
