#include "core/ImageHelpers.h"

#include <QThread>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <thread>
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

// Rows converted at a time: enough to amortise the conversion call, small
// enough that the converted rows never matter next to the picture.
constexpr int kStripRows = 32;

QImage::Format Format32(const QImage& image)
{
    return image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
}

// Fixed-point unit of the across weights: a weight of 1.0 is kOne.
constexpr int kOne = 1 << 14;

// How much of each source sample along one axis falls into each destination
// sample's footprint: destination sample i covers [i * scale, (i + 1) * scale)
// of the source, scale = from / to >= 1. Weights are shares of the
// footprint; each sample has `taps` of them (the unused ones zero) starting
// at source sample first[i].
struct Coverage {
    int taps = 0;
    std::vector<int> first;
    std::vector<float> weights;
};

Coverage AxisCoverage(int from, int to)
{
    const double scale = double(from) / to;
    Coverage c;
    // As many taps as the widest footprint touches: one when nothing is
    // scaled, and the reduction itself when it is a whole number.
    for (int i = 0; i < to; ++i) {
        const double lo = i * scale;
        const double hi = std::min<double>(from, (i + 1) * scale);
        c.taps = std::max(c.taps, static_cast<int>(std::ceil(hi - 1e-9)) - static_cast<int>(lo));
    }
    c.first.resize(static_cast<size_t>(to));
    c.weights.assign(static_cast<size_t>(to) * c.taps, 0.0f);
    for (int i = 0; i < to; ++i) {
        const double lo = i * scale;
        const double hi = std::min<double>(from, (i + 1) * scale);
        // The last tap must stay inside the source.
        const int first = std::min(static_cast<int>(lo), from - c.taps >= 0 ? from - c.taps : 0);
        c.first[static_cast<size_t>(i)] = first;
        for (int k = 0; k < c.taps && first + k < from; ++k) {
            const int s = first + k;
            const double w = std::min<double>(s + 1, hi) - std::max<double>(s, lo);
            if (w > 0)
                c.weights[static_cast<size_t>(i) * c.taps + k] = static_cast<float>(w / scale);
        }
    }
    return c;
}

// Source rows converted to 32 bits a strip at a time, in order.
class RowSource {
public:
    RowSource(const QImage& src, QImage::Format format) : m_src(src), m_format(format) {}

    const QRgb* Row(int y)
    {
        if (m_strip.isNull() || y < m_first || y >= m_first + m_strip.height()) {
            m_first = y;
            const int rows = std::min(kStripRows, m_src.height() - y);
            if (m_src.format() == m_format)
                m_strip = QImage(m_src.constScanLine(y), m_src.width(), rows, m_src.bytesPerLine(), m_format);
            else
                m_strip = m_src.copy(0, y, m_src.width(), rows).convertToFormat(m_format);
            if (m_strip.isNull())
                return nullptr;
        }
        return reinterpret_cast<const QRgb*>(m_strip.constScanLine(y - m_first));
    }

private:
    const QImage& m_src;
    QImage::Format m_format;
    QImage m_strip;
    int m_first = 0;
};

// One source row reduced across: the channels (red, green, blue, then
// alpha when kAlpha) of each destination pixel, in units of kOne.
template <bool kAlpha>
void ReduceAcross(const QRgb* line, const Coverage& c, const std::vector<int>& weights, std::vector<int>& out)
{
    constexpr size_t kChannels = kAlpha ? 4 : 3;
    const size_t n = c.first.size();
    for (size_t ox = 0; ox < n; ++ox) {
        const QRgb* p = line + c.first[ox];
        const int* w = &weights[ox * static_cast<size_t>(c.taps)];
        int r = 0, g = 0, b = 0, a = 0;
        for (int k = 0; k < c.taps; ++k) {
            r += w[k] * static_cast<int>(qRed(p[k]));
            g += w[k] * static_cast<int>(qGreen(p[k]));
            b += w[k] * static_cast<int>(qBlue(p[k]));
            if constexpr (kAlpha)
                a += w[k] * static_cast<int>(qAlpha(p[k]));
        }
        int* o = &out[ox * kChannels];
        o[0] = r;
        o[1] = g;
        o[2] = b;
        if constexpr (kAlpha)
            o[3] = a;
    }
}

// The weights of both axes of an area resampling, in units of kOne.
struct AreaWeights {
    Coverage across;
    Coverage down;
    std::vector<int> acrossWeights;
    std::vector<int> downWeights;
};

// Destination rows [y0, y1) of an area resampling into `bits` (the
// destination's pixels, `bytesPerLine` apart). False when memory ran out.
template <bool kAlpha>
bool ResampleRows(const QImage& src, QImage::Format format, const AreaWeights& w, int width, uchar* bits,
                  qsizetype bytesPerLine, int y0, int y1)
{
    constexpr size_t kChannels = kAlpha ? 4 : 3;
    const size_t channels = static_cast<size_t>(width) * kChannels;
    std::vector<int> reduced(channels);
    // 32-bit sums (which the compiler can vectorise): a reduced channel of at
    // most 255 * kOne, brought down to 255 * 256, times weights that add up
    // to kOne stays below 2^30.
    std::vector<qint32> sum(channels);
    int reducedRow = -1;
    RowSource rows(src, format);
    constexpr int kDrop = 6; // kOne / 256
    constexpr qint32 kUnit = kOne * (kOne >> kDrop);
    const auto to8 = [](qint32 v) { return std::clamp((v + kUnit / 2) / kUnit, 0, 255); };
    for (int oy = y0; oy < y1; ++oy) {
        std::fill(sum.begin(), sum.end(), 0);
        const int first = w.down.first[static_cast<size_t>(oy)];
        for (int k = 0; k < w.down.taps; ++k) {
            const qint32 wy = w.downWeights[static_cast<size_t>(oy) * w.down.taps + k];
            if (wy == 0)
                continue;
            // Rows on a boundary between two destination rows are reduced once.
            if (reducedRow != first + k) {
                const QRgb* line = rows.Row(first + k);
                if (!line)
                    return false;
                ReduceAcross<kAlpha>(line, w.across, w.acrossWeights, reduced);
                reducedRow = first + k;
            }
            for (size_t i = 0; i < channels; ++i)
                sum[i] += wy * (reduced[i] >> kDrop);
        }
        auto* dst = reinterpret_cast<QRgb*>(bits + oy * bytesPerLine);
        for (int ox = 0; ox < width; ++ox) {
            const qint32* px = &sum[static_cast<size_t>(ox) * kChannels];
            dst[ox] = qRgba(to8(px[0]), to8(px[1]), to8(px[2]), kAlpha ? to8(px[kChannels - 1]) : 255);
        }
    }
    return true;
}

// Exact area averaging: every destination pixel is the mean of the source
// area it covers, partly covered source pixels counted by their share.
// Separable: each source row is reduced across once and added, weighted,
// into the destination rows it belongs to. Integer arithmetic throughout:
// weights in units of kOne both ways. Large pictures are done in bands of
// rows on several threads, as Qt's smooth scale does.
template <bool kAlpha> QImage AreaResample(const QImage& src, QSize size, QImage::Format format)
{
    QImage out(size, format);
    if (out.isNull())
        return {};
    const auto fixed = [](const std::vector<float>& weights) {
        std::vector<int> w(weights.size());
        for (size_t i = 0; i < w.size(); ++i)
            w[i] = static_cast<int>(std::lround(weights[i] * kOne));
        return w;
    };
    AreaWeights w;
    w.across = AxisCoverage(src.width(), size.width());
    w.down = AxisCoverage(src.height(), size.height());
    w.acrossWeights = fixed(w.across.weights);
    w.downWeights = fixed(w.down.weights);

    uchar* bits = out.bits();
    const qsizetype bpl = out.bytesPerLine();
    const qint64 work = qint64{src.width()} * src.height();
    const int bands = work < (qint64{1} << 20) ? 1 : std::clamp(QThread::idealThreadCount(), 1, 4);
    std::vector<std::thread> helpers;
    std::vector<char> done(static_cast<size_t>(bands), 0);
    const auto band = [&](int i) {
        const int y0 = size.height() * i / bands;
        const int y1 = size.height() * (i + 1) / bands;
        done[static_cast<size_t>(i)] = ResampleRows<kAlpha>(src, format, w, size.width(), bits, bpl, y0, y1);
    };
    for (int i = 1; i < bands; ++i)
        helpers.emplace_back(band, i);
    band(0);
    for (std::thread& t : helpers)
        t.join();
    if (std::find(done.begin(), done.end(), 0) != done.end())
        return {};
    return out;
}

} // namespace

QImage ShrinkImage(const QImage& src, QSize size)
{
    if (src.isNull() || size.isEmpty())
        return {};
    if (size.width() > src.width() || size.height() > src.height()) {
        return src.convertToFormat(Format32(src))
            .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(Format32(src));
    }
    // Qt's smooth scale averages areas too, only less exactly, which shows
    // below a reduction of two (a box of a pixel and a bit) and hardly
    // beyond it, where its vector code is much the quicker. It needs a
    // 32-bit source, though: other formats it would first convert whole.
    const bool halvedOrMore = size.width() * 2 <= src.width() && size.height() * 2 <= src.height();
    if (halvedOrMore && src.format() == Format32(src))
        return src.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(Format32(src));
    if (src.hasAlphaChannel())
        return AreaResample<true>(src, size, QImage::Format_ARGB32_Premultiplied);
    return AreaResample<false>(src, size, QImage::Format_RGB32);
}
