// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/PhotoPreviewCtrl.h"

#include "pictures/ImageHelpers.h"

#include <QPainter>
#include <cmath>

namespace {
constexpr int kMat = 4; // the white mat's width, and the gap to the edge
} // namespace

CPhotoPreviewCtrl::CPhotoPreviewCtrl(QWidget* parent) : QFrame(parent)
{
    // Every pixel is painted at each paint: nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFrameStyle(QFrame::NoFrame);
    m_image.SetMaxDecodeSizeSource([this] { return DecodeLimit(); });
}

CPhotoPreviewCtrl::~CPhotoPreviewCtrl()
{
    m_image.Destroy();
}

CRect CPhotoPreviewCtrl::PictureBound() const
{
    CRect bound(0, 0, width(), height());
    bound.DeflateRect(2 * kMat, 2 * kMat);
    return bound;
}

QSize CPhotoPreviewCtrl::DecodeLimit() const
{
    // The decode fits the picture into the same bound the drawing fits it
    // into, at the screen's pixel density.
    const CRect bound = PictureBound();
    const qreal dpr = devicePixelRatioF();
    const int w = std::max(1, static_cast<int>(std::ceil(bound.Width() * dpr)));
    const int h = std::max(1, static_cast<int>(std::ceil(bound.Height() * dpr)));
    return QSize(w, h);
}

CRect CPhotoPreviewCtrl::PictureRect(QSize picture) const
{
    float scale = 1.0f;
    return ResizeRect(CRect(0, 0, picture.width(), picture.height()), PictureBound(), scale);
}

void CPhotoPreviewCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawPreview(&painter);
}

void CPhotoPreviewCtrl::DrawPreview(QPainter* painter)
{
    // The colour is read at every paint, so a changed colour scheme shows
    // at once.
    const CRect client(0, 0, width(), height());
    painter->fillRect(client.ToQRect(), palette().color(QPalette::Dark));
    if (!m_image.IsValid())
        return;

    const CRect target = PictureRect(QSize(m_image.GetWidth(), m_image.GetHeight()));
    if (target.IsRectEmpty())
        return;
    CRect mat = target;
    mat.InflateRect(kMat, kMat);
    painter->fillRect(mat.ToQRect(), Qt::white);
    m_image.Draw2(painter, target);
}
