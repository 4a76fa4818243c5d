// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Whether a control shows that it has the keyboard focus, as a user sees it:
// its parent grabbed, the pixels just outside the control's four sides in
// the highlight colour. Header-only.

#include <QImage>
#include <QPalette>
#include <QWidget>

inline bool FocusShown(const QWidget* control)
{
    QWidget* parent = control->parentWidget();
    if (!parent)
        return false;
    const QImage shot = parent->grab().toImage();
    const QRgb highlight = control->palette().color(QPalette::Highlight).rgb();
    const QRect r = control->geometry();
    const QPoint around[] = {{r.left() - 1, r.center().y()},
                             {r.right() + 1, r.center().y()},
                             {r.center().x(), r.top() - 1},
                             {r.center().x(), r.bottom() + 1}};
    for (const QPoint p : around) {
        if (!shot.rect().contains(p) || (shot.pixel(p) & 0xFFFFFF) != (highlight & 0xFFFFFF))
            return false;
    }
    return true;
}
