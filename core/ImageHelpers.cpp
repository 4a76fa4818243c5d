#include "core/ImageHelpers.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

QString FindExtension(const QString& fileName)
{
    const qsizetype slash = std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0 || dot < slash)
        return {};
    return fileName.mid(dot + 1);
}

int PictureTypeOf(const QString& fileName)
{
    const QString ext = FindExtension(fileName).toLower();
    return ext.isEmpty() ? CXIMAGE_FORMAT_UNKNOWN : FindType(ext);
}

int FindType(const QString& lowerCaseExt)
{
    const QString ext = lowerCaseExt.toLower();
    if (ext == u"bmp" || ext == u"dib")
        return CXIMAGE_FORMAT_BMP;
    if (ext == u"jpg" || ext == u"jpeg")
        return CXIMAGE_FORMAT_JPG;
    if (ext == u"gif")
        return CXIMAGE_FORMAT_GIF;
    if (ext == u"png")
        return CXIMAGE_FORMAT_PNG;
    return CXIMAGE_FORMAT_UNKNOWN;
}

namespace {

// num / den rounded to the nearest integer, halves up; all operands positive.
std::int64_t RoundedDiv(std::int64_t num, std::int64_t den)
{
    return (2 * num + den) / (2 * den);
}

} // namespace

CRect ResizeRect(const CRect& src, const CRect& dst, float& scale)
{
    // Sides in 64 bits: a rectangle spanning most of the int range would
    // overflow CRect::Width(). Sides beyond INT_MAX are nonsense and would
    // overflow the cross products below, so they count as empty.
    const std::int64_t sw = std::int64_t{src.right} - src.left;
    const std::int64_t sh = std::int64_t{src.bottom} - src.top;
    const std::int64_t dw = std::int64_t{dst.right} - dst.left;
    const std::int64_t dh = std::int64_t{dst.bottom} - dst.top;
    const auto usable = [](std::int64_t side) { return side > 0 && side <= INT_MAX; };
    if (!usable(sw) || !usable(sh) || !usable(dw) || !usable(dh)) {
        scale = 0.0f;
        return CRect(dst.left, dst.top, dst.left, dst.top);
    }

    // Compare aspect ratios with integer cross products: float division could
    // pick the wrong limiting side for equal ratios and leave a side one
    // pixel short of dst.

    std::int64_t w = 0;
    std::int64_t h = 0;
    if (sw * dh <= dw * sh) {
        // Height limits (source as tall as or taller than dst, relatively).
        h = dh;
        w = std::clamp<std::int64_t>(RoundedDiv(sw * dh, sh), 1, dw);
        scale = static_cast<float>(static_cast<double>(dh) / static_cast<double>(sh));
    } else {
        w = dw;
        h = std::clamp<std::int64_t>(RoundedDiv(sh * dw, sw), 1, dh);
        scale = static_cast<float>(static_cast<double>(dw) / static_cast<double>(sw));
    }

    const int left = dst.left + static_cast<int>((dw - w) / 2);
    const int top = dst.top + static_cast<int>((dh - h) / 2);
    return CRect(left, top, left + static_cast<int>(w), top + static_cast<int>(h));
}

namespace {

int AreaFactor(int from, int to)
{
    if (to <= 0 || from <= to)
        return 1;
    const double f = double(from) / to;
    return f > 1.5 ? static_cast<int>(f) : 1;
}

QImage::Format Format32(const QImage& image)
{
    return image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
}

// Rows [y, y + rows) of src as `format`, converted only if they are not already.
QImage RowsAs(const QImage& src, int y, int rows, QImage::Format format)
{
    if (src.format() == format)
        return QImage(src.constScanLine(y), src.width(), rows, src.bytesPerLine(), format);
    return src.copy(0, y, src.width(), rows).convertToFormat(format);
}

// Each kx x ky block of src averaged into one pixel (the last row and column
// of blocks may be partial and are averaged over what they hold).
QImage AreaAverage(const QImage& src, int kx, int ky)
{
    const QImage::Format format = Format32(src);
    const int w = src.width();
    const int ow = (w + kx - 1) / kx;
    const int oh = (src.height() + ky - 1) / ky;
    QImage out(ow, oh, format);
    if (out.isNull())
        return {};
    std::vector<quint64> sums(static_cast<size_t>(ow) * 4);
    for (int oy = 0; oy < oh; ++oy) {
        const int y0 = oy * ky;
        const int rows = std::min(ky, src.height() - y0);
        const QImage strip = RowsAs(src, y0, rows, format);
        if (strip.isNull())
            return {};
        std::fill(sums.begin(), sums.end(), 0);
        for (int r = 0; r < rows; ++r) {
            const auto* line = reinterpret_cast<const QRgb*>(strip.constScanLine(r));
            for (int x = 0; x < w; ++x) {
                quint64* sum = &sums[static_cast<size_t>(x / kx) * 4];
                const QRgb p = line[x];
                sum[0] += qAlpha(p);
                sum[1] += qRed(p);
                sum[2] += qGreen(p);
                sum[3] += qBlue(p);
            }
        }
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(oy));
        for (int ox = 0; ox < ow; ++ox) {
            const quint64 n = quint64(std::min(kx, w - ox * kx)) * rows;
            const quint64* sum = &sums[static_cast<size_t>(ox) * 4];
            const auto avg = [n](quint64 v) { return static_cast<int>((v + n / 2) / n); };
            dst[ox] = qRgba(avg(sum[1]), avg(sum[2]), avg(sum[3]), avg(sum[0]));
        }
    }
    return out;
}

} // namespace

QSize AreaStepSize(QSize from, QSize to)
{
    const int kx = AreaFactor(from.width(), to.width());
    const int ky = AreaFactor(from.height(), to.height());
    return QSize((from.width() + kx - 1) / kx, (from.height() + ky - 1) / ky);
}

QImage ShrinkImage(const QImage& src, QSize size)
{
    if (src.isNull() || size.isEmpty())
        return {};
    const QImage::Format format = Format32(src);
    const int kx = AreaFactor(src.width(), size.width());
    const int ky = AreaFactor(src.height(), size.height());
    QImage step = (kx > 1 || ky > 1) ? AreaAverage(src, kx, ky) : src.convertToFormat(format);
    if (step.isNull() || step.size() == size)
        return step;
    return step.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(format);
}
