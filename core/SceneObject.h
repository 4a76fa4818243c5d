// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "pictures/Picture.h"

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>
#include <memory>
#include <vector>

// The picture edits a photo offers, in the order they were applied.
enum class PhotoEdit : unsigned char { Mirror, Flip, Negative, GrayScale, RotateLeft, RotateRight };

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

    // The edits applied so far, in order (pairs that undo each other
    // dropped).
    const std::vector<PhotoEdit>& GetEdits() const { return m_edits; }

private:
    friend class SceneGraph;
    friend struct SceneChange;

    using Edit = PhotoEdit;

    SSceneObject() = default;

    // A photo with the same file, place, edits and pixels (the pixels shared
    // until either changes them).
    std::unique_ptr<SSceneObject> Clone() const;

    // Decodes path to fit inside box (upright, as the photo is shown). On
    // success the photo shows the new picture and forgets its edits; on
    // failure nothing changes.
    bool LoadPicture(const QString& path, QSize box);

    // Decodes path to fit inside fileBox (the file's own orientation) and
    // replays edits on it: the photo then holds exactly what a photo with
    // that file, decode box and edits held. False, and nothing changed,
    // when the file does not decode.
    bool LoadWithEdits(const QString& path, QSize fileBox, const std::vector<Edit>& edits);

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
    // The same for any file, decode box (the file's own orientation) and
    // edits.
    static bool Decode(const QString& path, QSize fileBox, const std::vector<Edit>& edits, CxImage& out);
    // The box shown as the file is oriented, for these edits.
    static QSize FileBox(QSize shownBox, const std::vector<Edit>& edits);

    static QImage RunEdit(Edit edit, const QImage& image);
    // False, and nothing changed, when the edit ran out of memory.
    bool ApplyEdit(Edit edit);
    void RememberEdit(Edit edit);
    // Runs the edit on the pixels held, and turns the place with a quarter
    // turn, without remembering it; false when it ran out of memory.
    bool RunOnPicture(Edit edit);
    // Shows picture (decoded to fit fileBox) instead of the pixels held.
    void SetPicture(CxImage picture, QSize fileBox);
    // Forgets the canvas's scaled copy.
    void DropScaled() { m_scaled = QImage(); }
    // Decodes the pixels again from the file, decode box and edits; false,
    // and nothing changed, when the file no longer decodes.
    bool Reload();
    // Forgets the pixels (file, place, edits and decode box stay): Reload
    // makes them again.
    void DropPixels()
    {
        m_picture = CxImage();
        m_scaled = QImage();
    }

    // The picture scaled to size for the canvas, kept until the size or the
    // picture changes, in a format the raster painter copies without
    // converting.
    const QImage& ScaledPicture(QSize size) const;

    QString m_path;
    CxImage m_picture;
    QRectF m_rect;
    std::vector<Edit> m_edits;
    // The box the file was last decoded to fit, upright as the file is
    // (before the edits' quarter turns): the held pixels are that decode
    // with the edits replayed on it.
    QSize m_decodeBox;
    mutable QImage m_scaled;
};
