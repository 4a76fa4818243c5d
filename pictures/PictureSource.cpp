// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/PictureSource.h"

#include "pictures/AreaScaler.h"
#include "pictures/ImageHelpers.h"
#include "pictures/JpegScaledDecode.h"
#include "pictures/Picture.h"
#include "platform/SafeFile.h"

#include <QBuffer>
#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <memory>
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

// A reader over bytes held in memory. The format comes from the content,
// never from the name: Qt would read a ".dib" as a BMP without its file
// header, and a misnamed file not at all.
class MemoryReader {
public:
    MemoryReader(const QByteArray& bytes, const char* format)
    {
        EnsureAllocationLimit();
        m_buffer.setData(bytes);
        m_buffer.open(QIODevice::ReadOnly);
        m_reader.setDevice(&m_buffer);
        m_reader.setFormat(format);
        m_reader.setAutoDetectImageFormat(false);
    }
    QImageReader& Reader() { return m_reader; }

private:
    QBuffer m_buffer;
    QImageReader m_reader;
};

} // namespace

std::optional<PictureSource> PictureSource::Open(const QString& path)
{
    std::optional<QByteArray> bytes = ReadPictureFile(path);
    if (!bytes || bytes->size() < 8)
        return std::nullopt;
    const std::optional<PictureFacts> facts =
        ProbePicture(reinterpret_cast<const uchar*>(bytes->constData()), bytes->size());
    if (!facts)
        return std::nullopt;

    PictureSource source;
    source.m_bytes = std::move(*bytes);
    source.m_facts = *facts;
    MemoryReader memory(source.m_bytes, facts->qtFormat);
    memory.Reader().setAutoTransform(true);
    const QImageIOHandler::Transformations turn = memory.Reader().transformation();
    source.m_quarterTurn = turn & QImageIOHandler::TransformationRotate90;
    source.m_transformed = turn != QImageIOHandler::TransformationNone;
    const QSize stored(static_cast<int>(facts->width), static_cast<int>(facts->height));
    source.m_upright = source.m_quarterTurn ? stored.transposed() : stored;
    return source;
}

bool PictureSource::DecodesStraightTo(QSize size) const
{
    // Grey, CMYK and turned JPEGs are Qt's reader's.
    if (m_facts.type != CXIMAGE_FORMAT_JPG || m_transformed || m_facts.bpp != 24 || size.isEmpty() ||
        size.width() > m_upright.width() || size.height() > m_upright.height())
        return false;
    const qint64 coefficients = m_facts.jpegMultiScan ? m_facts.jpegCoefficientBytes : 0;
    return JpegScaledDecodeCost(m_upright, coefficients, size) <= CxImage::kDecodeBudgetBytes - m_bytes.size();
}

QImage PictureSource::DecodeStraightTo(QSize size) const
{
    return DecodesStraightTo(size) ? DecodeJpegScaled(m_bytes, m_upright, size, m_facts.jpegMultiScan) : QImage();
}

QImage PictureSource::Decode(QSize limit) const
{
    const QSize wanted = DecodeTarget(m_upright, limit);
    // A file libjpeg gives up on straight away is left to Qt's reader too,
    // which decides what a damaged file gives.
    if (DecodesStraightTo(wanted)) {
        QImage image = DecodeJpegScaled(m_bytes, m_upright, wanted, m_facts.jpegMultiScan);
        if (!image.isNull())
            return image;
    }
    MemoryReader memory(m_bytes, m_facts.qtFormat);
    QImageReader& reader = memory.Reader();
    reader.setAutoTransform(true);

    const QSize stored(static_cast<int>(m_facts.width), static_cast<int>(m_facts.height));
    // Sizes below are as stored: the reader scales before it turns the picture upright.
    const QSize wantedStored = m_quarterTurn ? wanted.transposed() : wanted;
    // A JPEG is reduced by libjpeg to an exact eighth, quarter or half and
    // from there in one filtering step, where the budget allows.
    // Qt's own reduction of the other formats drops a 1-bit picture's
    // palette, so those are decoded whole and reduced here too.
    const bool jpeg = m_facts.type == CXIMAGE_FORMAT_JPG;
    const qint64 budget = CxImage::kDecodeBudgetBytes - m_bytes.size();
    const bool exact = jpeg && DecodeCost(m_facts, wantedStored, m_transformed, JpegPlan::ExactThenShrink) <= budget;
    const QSize target = exact ? wantedStored : AffordableTarget(m_facts, wantedStored, m_transformed, m_bytes.size());
    if (target.isEmpty())
        return {};
    if (jpeg) {
        const QSize decoded = exact ? JpegExactDecodeSize(m_facts, target) : target;
        if (decoded != stored)
            reader.setScaledSize(decoded);
    }

    QImage image;
    if (!reader.read(&image) || image.isNull())
        return {};
    const QSize reduced = m_quarterTurn ? target.transposed() : target;
    if (image.size() != reduced)
        image = ShrinkImage(image, reduced);
    return image;
}

QSize PictureSource::CoveringDecodeSize(QSize cover) const
{
    if (m_facts.type != CXIMAGE_FORMAT_JPG || m_transformed || cover == m_upright)
        return cover;
    const QSize exact = JpegExactDecodeSize(m_facts, cover);
    return exact.isEmpty() ? cover : exact;
}

QImage PictureSource::DecodePart(const QRect& part) const
{
    const QRect inside = part & QRect(QPoint(0, 0), m_upright);
    if (inside.isEmpty())
        return {};
    // A region decode reads rows and columns of the stored picture, so it is
    // only used when stored and upright are the same, and only where what
    // the decoder holds for it fits the budget.
    const qint64 coefficients = m_facts.jpegMultiScan ? m_facts.jpegCoefficientBytes : 0;
    const qint64 cost = coefficients + qint64{inside.width()} * inside.height() * 4;
    if (!m_transformed && m_facts.type == CXIMAGE_FORMAT_JPG && cost <= CxImage::kDecodeBudgetBytes - m_bytes.size()) {
        MemoryReader memory(m_bytes, m_facts.qtFormat);
        QImageReader& reader = memory.Reader();
        if (reader.supportsOption(QImageIOHandler::ClipRect)) {
            reader.setClipRect(inside);
            QImage image;
            if (reader.read(&image) && image.size() == inside.size())
                return image;
        }
    }

    const QImage whole = Decode(QSize());
    if (whole.isNull())
        return {};
    if (whole.size() == m_upright)
        return whole.copy(inside);
    // The pixel cap reduced an enormous picture: the same part of the
    // reduced one.
    const double fx = double(whole.width()) / m_upright.width();
    const double fy = double(whole.height()) / m_upright.height();
    return whole.copy(QRect(int(inside.x() * fx), int(inside.y() * fy), std::max(1, int(inside.width() * fx)),
                            std::max(1, int(inside.height() * fy))));
}
