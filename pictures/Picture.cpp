// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/Picture.h"

#include "pictures/AreaScaler.h"
#include "pictures/PictureProbe.h"
#include "platform/SafeFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace {

// Enough for every format's magic number; read before anything else, so a
// large file that is no picture at all costs no more than this.
constexpr qint64 kHeaderBytes = 64;

// Qt's limit is process-wide; set it once rather than racing other threads'
// loads by changing it around each one.
void EnsureAllocationLimit()
{
    static const bool once = [] {
        QImageReader::setAllocationLimit(CxImage::kAllocationLimitMB);
        return true;
    }();
    (void)once;
}

// The size to decode an upright picture of the given size at: within the
// decode limit (if any) and within kMaxDecodePixels, never enlarged.
QSize DecodeTarget(QSize upright, QSize limit)
{
    QSize target = upright;
    if (!limit.isEmpty() && (upright.width() > limit.width() || upright.height() > limit.height())) {
        float scale = 0;
        const CRect fitted = ResizeRect(CRect(0, 0, upright.width(), upright.height()),
                                        CRect(0, 0, limit.width(), limit.height()), scale);
        target = QSize(fitted.Width(), fitted.Height());
    }
    const qint64 pixels = qint64{target.width()} * target.height();
    if (pixels > CxImage::kMaxDecodePixels) {
        const double f = std::sqrt(static_cast<double>(CxImage::kMaxDecodePixels) / static_cast<double>(pixels));
        target = QSize(std::max(1, static_cast<int>(target.width() * f)),
                       std::max(1, static_cast<int>(target.height() * f)));
    }
    return target;
}

// The largest target, starting from `wanted` (stored orientation) and
// shrinking, whose decode fits the budget together with the file's bytes.
// An empty size when even a tiny decode would not: what the decoder holds at
// full size is over the budget by itself.
QSize AffordableTarget(const PictureFacts& facts, QSize wanted, bool turned, qint64 fileBytes)
{
    const qint64 budget = CxImage::kDecodeBudgetBytes - fileBytes;
    QSize target = wanted;
    for (int step = 0; step < 200; ++step) {
        if (DecodeCost(facts, target, turned, JpegPlan::QtScaled) <= budget)
            return target;
        if (target.width() <= 1 && target.height() <= 1)
            break;
        target = QSize(std::max(1, target.width() * 9 / 10), std::max(1, target.height() * 9 / 10));
    }
    return {};
}

// The whole file, read only if it is a regular file that starts like a
// picture and is no larger than any picture we load.
std::optional<QByteArray> ReadPictureFile(const QString& path)
{
    const std::unique_ptr<QFile> file = OpenRegularFile(path);
    if (!file)
        return std::nullopt;
    const QByteArray header = file->read(kHeaderBytes);
    if (SniffPictureType(reinterpret_cast<const uchar*>(header.constData()), header.size()) == CXIMAGE_FORMAT_UNKNOWN)
        return std::nullopt;
    // The claimed size refuses early; the cap on what is read decides.
    if (file->size() > CxImage::kMaxFileBytes || !file->seek(0))
        return std::nullopt;
    QByteArray bytes;
    if (ReadCapped(*file, CxImage::kMaxFileBytes, &bytes) != FileRefusal::None)
        return std::nullopt;
    return bytes;
}

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

    const std::optional<QByteArray> bytes = ReadPictureFile(path);
    if (!bytes || bytes->size() < 8)
        return false;
    const std::optional<PictureFacts> facts =
        ProbePicture(reinterpret_cast<const uchar*>(bytes->constData()), bytes->size());
    if (!facts)
        return false;

    EnsureAllocationLimit();
    QBuffer buffer;
    buffer.setData(*bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return false;

    // The format comes from the content, never from the name: Qt would read
    // a ".dib" as a BMP without its file header, and a misnamed file not at all.
    QImageReader reader(&buffer, facts->qtFormat);
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(true);

    const QSize stored(static_cast<int>(facts->width), static_cast<int>(facts->height));
    const bool quarterTurn = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const bool turned = reader.transformation() != QImageIOHandler::TransformationNone;
    const QSize upright = quarterTurn ? stored.transposed() : stored;
    const QSize wanted = DecodeTarget(upright, GetMaxDecodeSize());
    // Sizes below are as stored: the reader scales before it turns the picture upright.
    const QSize wantedStored = quarterTurn ? wanted.transposed() : wanted;
    // A JPEG is reduced by libjpeg to an exact half, quarter or eighth and
    // from there in one area-averaging step, where the budget allows.
    // Qt's own reduction of the other formats drops a 1-bit picture's
    // palette, so those are decoded whole and reduced here too.
    const bool jpeg = facts->type == CXIMAGE_FORMAT_JPG;
    const qint64 budget = kDecodeBudgetBytes - bytes->size();
    const bool exact = jpeg && DecodeCost(*facts, wantedStored, turned, JpegPlan::ExactThenShrink) <= budget;
    const QSize target = exact ? wantedStored : AffordableTarget(*facts, wantedStored, turned, bytes->size());
    if (target.isEmpty())
        return false;
    if (jpeg) {
        const QSize decoded = exact ? JpegExactDecodeSize(*facts, target) : target;
        if (decoded != stored)
            reader.setScaledSize(decoded);
    }

    QImage image;
    if (!reader.read(&image) || image.isNull())
        return false;
    const QSize reduced = quarterTurn ? target.transposed() : target;
    if (image.size() != reduced) {
        image = ShrinkImage(image, reduced);
        if (image.isNull())
            return false;
    }

    m_image = std::move(image);
    m_type = facts->type;
    m_width = upright.width();
    m_height = upright.height();
    m_bpp = static_cast<unsigned short>(facts->bpp);
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
