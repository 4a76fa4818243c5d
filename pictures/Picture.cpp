// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/Picture.h"

#include "pictures/PictureSource.h"

#include <QPainter>

#include <optional>
#include <utility>

namespace {

unsigned short DepthOfImage(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return 1;
    case QImage::Format_Indexed8:
    case QImage::Format_Grayscale8:
    case QImage::Format_Alpha8:
        return 8;
    case QImage::Format_Grayscale16:
        return 16;
    default:
        break;
    }
    if (image.depth() == 64)
        return image.hasAlphaChannel() ? 64 : 48;
    return image.hasAlphaChannel() ? 32 : 24;
}

} // namespace

CxImage::CxImage(int imageType) : m_type(imageType) {}

QSize CxImage::GetMaxDecodeSize() const
{
    return m_decodeLimitSource ? m_decodeLimitSource() : m_maxDecodeSize;
}

bool CxImage::Load(const QString& path, int type)
{
    Destroy();
    m_type = type;
    const std::optional<PictureSource> source = PictureSource::Open(path);
    if (!source)
        return false;
    QImage image = source->Decode(GetMaxDecodeSize());
    if (image.isNull())
        return false;
    m_image = std::move(image);
    m_type = source->Facts().type;
    m_width = source->Upright().width();
    m_height = source->Upright().height();
    m_bpp = static_cast<unsigned short>(source->Facts().bpp);
    return true;
}

void CxImage::SetImage(QImage image, ImageTurn turn)
{
    if (image.isNull()) {
        Destroy();
        return;
    }
    if (m_image.isNull()) {
        m_width = image.width();
        m_height = image.height();
        m_bpp = DepthOfImage(image);
    } else {
        if (turn == ImageTurn::QuarterTurn)
            std::swap(m_width, m_height);
        else if (image.size() != m_image.size()) {
            m_width = image.width();
            m_height = image.height();
        }
        if (image.format() != m_image.format())
            m_bpp = DepthOfImage(image);
    }
    m_image = std::move(image);
}

void CxImage::Draw2(QPainter* dc, const CRect& target) const
{
    if (!dc || m_image.isNull() || target.IsRectEmpty())
        return;
    dc->save();
    dc->setRenderHint(QPainter::SmoothPixmapTransform, true);
    dc->drawImage(target.ToQRect(), m_image);
    dc->restore();
}

QPixmap CxImage::MakeBitmap() const
{
    if (m_image.isNull())
        return {};
    return QPixmap::fromImage(m_image);
}

void CxImage::Destroy()
{
    m_image = QImage();
    m_width = 0;
    m_height = 0;
    m_bpp = 0;
}
