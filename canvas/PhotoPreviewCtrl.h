// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "pictures/Picture.h"
#include "platform/Geometry.h"

#include <QFrame>

// Shows one picture fitted on a white mat over a plain face in the palette's
// button-shadow colour. The owner loads the picture into m_image and updates
// the control; the control draws whatever m_image holds at every paint.
//
// One rule places the picture and sizes its decode: the picture is fitted
// inside the control less the gap and the mat on each side (PictureBound),
// and the mat is drawn around it. So a reduced picture is decoded at exactly
// the size it is drawn at (in device pixels) and no paint rescales it.
class CPhotoPreviewCtrl : public QFrame {
    Q_OBJECT

public:
    explicit CPhotoPreviewCtrl(QWidget* parent = nullptr);
    ~CPhotoPreviewCtrl() override;

    // The picture shown. Any load of it, through whichever reference,
    // decodes no more pixels than the control can show at its size at that
    // moment (a control not yet shown may not have had its resize event, so
    // the size is read at load time), while the owner still reads the file's
    // own width, height and depth from it.
    CxImage m_image;

    // The largest picture size, in device pixels, the control can show.
    QSize DecodeLimit() const;

    // Where a picture of the given size is drawn: fitted inside PictureBound.
    CRect PictureRect(QSize picture) const;

    // Paints the whole face into painter (whose origin is the control's).
    void DrawPreview(QPainter* painter);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The client area less the gap and the mat on each side.
    CRect PictureBound() const;
};
