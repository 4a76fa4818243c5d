// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The page tabs' image strip and the Tip of the Day light bulb, drawn at any
// scale (device pixels for one logical pixel). Each is drawn from its own
// small palette and nothing else, at scale 1 exactly the checked-in files
// under res/bitmaps/.

#include <QImage>
#include <QSize>
#include <QtGlobal>

#include <vector>

// The strip: four square pictures of kTabCell logical pixels side by side,
// on kTabTransparent (the colour keyed out as transparent).
inline constexpr int kTabCell = 32;
inline constexpr QRgb kTabTransparent = 0xffff00ff;
QImage DrawTabStrip(qreal scale);
const std::vector<QRgb>& TabPalette();

// The bulb, kBulbSize logical pixels on white (the colour the dialog floods
// with its own).
inline constexpr QSize kBulbSize(26, 32);
QImage DrawBulbBitmap(qreal scale);
const std::vector<QRgb>& BulbPalette();
