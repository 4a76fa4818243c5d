#include "canvas/PhotoPreviewCtrl.h"

#include "core/ImageHelpers.h"

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
}

CPhotoPreviewCtrl::~CPhotoPreviewCtrl()
{
    m_image.Destroy();
}

bool CPreviewPicture::Load(const QString& path, int type)
{
    SetMaxDecodeSize(m_owner->DecodeLimit());
    return CxImage::Load(path, type);
}

QSize CPhotoPreviewCtrl::DecodeLimit() const
{
    // The picture ends up inside the client area less the gap and the mat on
    // each side.
    const qreal dpr = devicePixelRatioF();
    const int w = std::max(1, static_cast<int>(std::ceil((width() - 4 * kMat) * dpr)));
    const int h = std::max(1, static_cast<int>(std::ceil((height() - 4 * kMat) * dpr)));
    return QSize(w, h);
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

    float scale = 1.0f;
    CRect bound = client;
    bound.DeflateRect(kMat, kMat);
    CRect target = ResizeRect(CRect(0, 0, m_image.GetWidth(), m_image.GetHeight()), bound, scale);
    painter->fillRect(target.ToQRect(), Qt::white);
    target.DeflateRect(kMat, kMat);
    if (!target.IsRectEmpty())
        m_image.Draw2(painter, target);
}
