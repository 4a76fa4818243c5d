// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A JPEG decoded straight to the size it is wanted at: libjpeg reduces it by
// an eighth, a quarter or a half while decoding (the smallest that still
// covers the size), and each reduced row goes through a Lanczos-3 shrink as
// soon as it is decoded, while it is still in the cache: only a ring of rows
// as tall as the filter's window is held, never the picture or its
// reduction whole. A large decode (a screen's shrink, a whole photo) is
// shared between this thread and a pool thread, each decoding (and
// filtering) a band of rows of its own.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QtGlobal>

// The smallest M of 1, 2 and 4 whose M/8 reduction of a picture of `stored`
// size (libjpeg rounds up) is at least `target` both ways; 8 when none is.
int JpegCoveringEighths(QSize stored, QSize target);

// libjpeg's size for the M/8 reduction of a picture of `stored` size.
QSize JpegReducedSize(QSize stored, int eighths);

// Peak bytes of DecodeJpegScaled beyond the file's own: libjpeg's
// coefficients of a multi-pass JPEG (coefficientBytes, 0 for one pass), the
// ring of reduced rows of each band, and the result.
qint64 JpegScaledDecodeCost(QSize stored, qint64 coefficientBytes, QSize target);

// The JPEG in bytes, as stored (no EXIF turn), decoded at its M/8 reduction
// covering target and scaled to exactly target (aspect as given), as RGB32.
// Null when the file does not decode, and for the colour spaces left to Qt's
// reader (grey, CMYK, YCCK), which this gives no pixels of.
// A multi-pass JPEG (multiScan) is decoded in one band.
QImage DecodeJpegScaled(const QByteArray& bytes, QSize stored, QSize target, bool multiScan);
