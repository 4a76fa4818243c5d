// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "pictures/Picture.h"

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <vector>

// One photo on the scene: a picture file, where it lies on the background, and
// the edits the user applied to it.
//
// The place is kept in the background's own pixels, as doubles, so canvas
// coordinates survive a round trip exactly and a change of background or of
// canvas size moves nothing by rounding.
//
// The picture is decoded no larger than the photo's place on the background
// needs (and never larger than the background), so a scene of camera photos
// holds no full-size copy of any of them. When the photo is enlarged past
// what its pixels can show, the scene decodes the file again at the new size
// and replays the edits: that is why the edits are remembered, not just
// applied.
class SSceneObject {
public:
    SSceneObject(const SSceneObject&) = delete;
    SSceneObject& operator=(const SSceneObject&) = delete;
    ~SSceneObject() = default;

    // The picture edits. Each changes the photo's picture in place; the
    // caller repaints. The rotations also turn the photo's place a quarter
    // about its centre (width and height swapped), so the picture is not
    // squeezed into the old shape. An edit that runs out of memory changes
    // nothing.
    void Mirror();
    void Flip();
    void Negative();
    void GrayScale();
    void RotateLeft();
    void RotateRight();

    const QString& GetPath() const { return m_path; }
    const CxImage& GetPicture() const { return m_picture; }

    // Where the photo lies, in background pixels. It may reach beyond the
    // background; only the part over the background is drawn.
    QRectF GetSceneRect() const { return m_rect; }

private:
    friend class SceneGraph;

    enum class Edit : unsigned char { Mirror, Flip, Negative, GrayScale, RotateLeft, RotateRight };

    SSceneObject() = default;

    // Decodes path to fit inside box (upright, as the photo is shown). On
    // success the photo shows the new picture and forgets its edits; on
    // failure nothing changes.
    bool LoadPicture(const QString& path, QSize box);

    // Makes sure the pixels held are enough for the photo's place on a
    // background of that size, decoding the file again (with some headroom)
    // when they are not. False when a needed decode failed; the old pixels
    // are kept then.
    bool EnsureResolution(QSize background);

    // The size the picture should be decoded at to cover the photo's place,
    // times factor, capped at the file's own size and at the background (an
    // empty background: no cap but the file's size).
    QSize NeededDecodeSize(QSize background, double factor) const;

    // Decodes the file again to fit inside box (the photo as shown) and
    // replays the edits on it, into out. False, and out unchanged, when the
    // file no longer decodes or an edit runs out of memory.
    bool DecodeWithEdits(QSize box, CxImage& out) const;

    static QImage RunEdit(Edit edit, const QImage& image);
    void ApplyEdit(Edit edit);
    void RememberEdit(Edit edit);

    // The picture scaled to size for the canvas, kept until the size or the
    // picture changes, in a format the raster painter copies without
    // converting.
    const QImage& ScaledPicture(QSize size) const;

    QString m_path;
    CxImage m_picture;
    QRectF m_rect;
    std::vector<Edit> m_edits;
    mutable QImage m_scaled;
};
