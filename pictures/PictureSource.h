// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// One way into a picture file: it is opened and read once, its headers are
// probed once, and every decode after that works from the bytes in memory at
// the size its user needs (the desktop's screen, the scene's canvas, a
// preview's box). The decoder reduces a JPEG while reading, the EXIF turn is
// applied, and the decode budget holds for every size.

#include "pictures/PictureProbe.h"

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

class PictureSource {
public:
    // The file read and probed; nullopt for anything that is not a regular
    // file holding a complete BMP, JPEG, GIF or PNG within the program's
    // limits (a FIFO, a device or a file that is no picture is refused
    // without reading more than its first bytes).
    static std::optional<PictureSource> Open(const QString& path);

    const PictureFacts& Facts() const { return m_facts; }
    // The picture's size upright: an EXIF quarter turn swaps the header's.
    QSize Upright() const { return m_upright; }
    // Whether the file's EXIF orientation turns or mirrors the stored pixels.
    bool Transformed() const { return m_transformed; }

    // The whole picture upright, no larger than fits in limit (aspect kept,
    // never enlarged; an empty limit is none) nor than the pixel cap and the
    // decode budget allow. Null when it does not decode.
    QImage Decode(QSize limit) const;

    // The whole picture upright at exactly `size` (aspect as given, no
    // larger than the picture either way), where the decoder can reduce it
    // straight to that size (a colour JPEG that needs no EXIF turn): the
    // rows go through the filter as they are decoded. Null otherwise, for
    // the caller to take Decode's way.
    QImage DecodeStraightTo(QSize size) const;

    // The size to decode a picture at that must cover `cover` (both ways at
    // least that large, aspect kept): the decoder's own exact reduction when
    // one is near enough, so no other scaling comes in between.
    QSize CoveringDecodeSize(QSize cover) const;

    // Only `part` (upright coordinates, inside Upright()) at full size; a
    // JPEG decodes just those rows and columns. An enormous picture that the
    // pixel cap reduces gives the same part of the reduced one.
    QImage DecodePart(const QRect& part) const;

private:
    PictureSource() = default;

    // Whether DecodeStraightTo can give the picture at that size.
    bool DecodesStraightTo(QSize size) const;

    QByteArray m_bytes;
    PictureFacts m_facts;
    QSize m_upright;
    bool m_quarterTurn = false;
    bool m_transformed = false;
};
