// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Stands in when no back end fits the session (Wayland with a compositor we
// cannot talk to, no display at all, a misspelt QUILVANE_DESKTOP): every
// request says why on standard error and changes nothing.

#include "desktop/DesktopBackend.h"

#include <utility>

class UnavailableBackend final : public DesktopBackend {
public:
    explicit UnavailableBackend(QString reason) : m_reason(std::move(reason)) {}

    QString Name() const override { return QStringLiteral("none"); }
    bool SetWallpaper(const QString& absolutePath, WallpaperStyle style) override;

    const QString& Reason() const { return m_reason; }

private:
    QString m_reason;
};
