// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

// The program's icon (resource 128) at every size drawn for it, so each
// screen scale gets pixels drawn for it rather than enlarged ones.
QIcon LoadAppIcon();

// A bitmap resource (144 or 1037) drawn at scale, device pixels for one of
// its own: at 1 exactly the checked-in file. A null image for other ids.
QImage LoadBitmapResource(int id, qreal scale = 1.0);

// Image index of a strip of square images side by side, with every pixel of
// the transparent colour made transparent.
QPixmap StripImage(const QImage& strip, int imageWidth, int index, QRgb transparent);

// Image index of the strip bitmap resource id as an icon that is drawn anew
// at the scale it is shown at.
QIcon StripIcon(int id, int imageWidth, int index, QRgb transparent);
