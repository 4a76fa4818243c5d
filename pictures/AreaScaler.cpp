// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/AreaScaler.h"

#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <cmath>

namespace {

// A region smaller than this many pixels a thread is scaled on one thread:
// handing it out would cost more than it saves.
constexpr int kPixelsPerThread = 64 * 1024;

// Rows of a source in another format converted at a time: enough to amortise
// the conversion call, few enough that they never matter next to the source.
constexpr int kStripRows = 32;

// Fixed point: weights of kWeightBits; the vertical sums are kept with
// kExtraBits below the byte, all four bytes of a pixel alike.
constexpr int kWeightBits = 14;
constexpr int kExtraBits = 6;
constexpr int kShift = kWeightBits + kExtraBits;

QImage::Format Format32(const QImage& image)
{
    return image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
}

std::vector<int> Fixed(const std::vector<float>& weights)
{
    std::vector<int> out(weights.size());
    for (size_t i = 0; i < weights.size(); ++i)
        out[i] = static_cast<int>(weights[i] * (1 << kWeightBits) + 0.5f);
    return out;
}

// The held rows of a source as 32-bit pixels. A source already in that
// format is read in place; any other is converted a strip of rows at a
// time, in the order the rows are asked for.
class RowSource {
public:
    RowSource(const QImage& source, QImage::Format format) : m_source(source), m_format(format) {}

    // Rows first .. first + count - 1, valid together until the next call;
    // false when memory runs out.
    bool Rows(int first, int count, std::vector<const uchar*>& rows)
    {
        rows.clear();
        if (m_source.format() != m_format &&
            (m_strip.isNull() || first < m_first || first + count > m_first + m_strip.height())) {
            m_first = first;
            m_strip = QImage();
            const int strip = std::min(std::max(kStripRows, count), m_source.height() - first);
            m_strip = m_source.copy(0, first, m_source.width(), strip).convertToFormat(m_format);
            if (m_strip.isNull())
                return false;
        }
        for (int y = first; y < first + count; ++y)
            rows.push_back(m_source.format() == m_format ? m_source.constScanLine(y)
                                                         : m_strip.constScanLine(y - m_first));
        return true;
    }

private:
    const QImage& m_source;
    QImage::Format m_format;
    QImage m_strip;
    int m_first = 0;
};

// line[i] = the weighted sum of the source rows, bytes [0, n) of each; plain
// loops over bytes that the compiler turns into vector code.
void SumRows(int* line, const uchar* const* rows, const int* weights, int count, size_t n)
{
    {
        const uchar* source = rows[0];
        const int w = weights[0];
        for (size_t i = 0; i < n; ++i)
            line[i] = w * source[i];
    }
    for (int k = 1; k < count; ++k) {
        const uchar* source = rows[k];
        const int w = weights[k];
        for (size_t i = 0; i < n; ++i)
            line[i] += w * source[i];
    }
    for (size_t i = 0; i < n; ++i)
        line[i] >>= kWeightBits - kExtraBits;
}

} // namespace

AreaScaler::AreaScaler(const QImage& source, QPoint origin, QSize fullSize, QSize target)
    : m_source(source), m_format(Format32(source)), m_origin(origin), m_full(fullSize), m_target(target)
{
}

AreaScaler::Axis AreaScaler::AxisFor(int from, int to, int fullLength, int targetLength, int origin, int held)
{
    Axis axis;
    axis.lo = held;
    const double scale = static_cast<double>(fullLength) / targetLength;
    std::vector<double> weights;
    for (int t = from; t < to; ++t) {
        int start = 0;
        weights.clear();
        if (targetLength < fullLength) {
            // The target pixel covers [t, t + 1) * scale of the source.
            const double begin = t * scale;
            const double end = (t + 1) * scale;
            start = static_cast<int>(std::floor(begin));
            const int stop = std::min(fullLength, static_cast<int>(std::ceil(end)));
            for (int i = start; i < stop; ++i)
                weights.push_back(std::min<double>(i + 1, end) - std::max<double>(i, begin));
        } else {
            // Pixel centres line up: target centre t + 0.5 lies at source
            // position (t + 0.5) * scale, between centres i + 0.5 and i + 1.5.
            const double at = (t + 0.5) * scale - 0.5;
            start = static_cast<int>(std::floor(at));
            weights = {1 - (at - start), at - start};
        }
        const int n = static_cast<int>(weights.size());
        double total = 0;
        for (double w : weights)
            total += w;
        // Indices outside the picture, or outside the part held, read its
        // edge; taps that land on one index are merged.
        const int offset = static_cast<int>(axis.weights.size());
        int first = -1;
        int last = -1;
        for (int k = 0; k < n; ++k) {
            const int index = std::clamp(std::clamp(start + k, 0, fullLength - 1) - origin, 0, held - 1);
            const float w = static_cast<float>(weights[static_cast<size_t>(k)] / total);
            if (first < 0)
                first = index;
            if (index == last)
                axis.weights.back() += w;
            else
                axis.weights.push_back(w);
            last = index;
        }
        axis.first.push_back(first);
        axis.count.push_back(last - first + 1);
        axis.offset.push_back(offset);
        axis.lo = std::min(axis.lo, first);
        axis.hi = std::max(axis.hi, last + 1);
    }
    return axis;
}

QImage AreaScaler::Region(const QRect& region) const
{
    const QRect area = region & QRect(QPoint(0, 0), m_target);
    if (area.isEmpty() || m_source.isNull() || m_full.isEmpty())
        return {};
    QImage out(area.size(), m_format);
    if (out.isNull())
        return {};

    if (m_columnsFrom != area.left() || m_columnsTo != area.right() + 1) {
        m_columns =
            AxisFor(area.left(), area.right() + 1, m_full.width(), m_target.width(), m_origin.x(), m_source.width());
        m_columnsFrom = area.left();
        m_columnsTo = area.right() + 1;
    }
    const Axis& columns = m_columns;
    const Axis rows =
        AxisFor(area.top(), area.bottom() + 1, m_full.height(), m_target.height(), m_origin.y(), m_source.height());
    const std::vector<int> columnWeights = Fixed(columns.weights);
    const std::vector<int> rowWeights = Fixed(rows.weights);

    // For each target row: the vertical average of the source rows it reads,
    // over the columns the region reads, then each target pixel across it.
    const int left = columns.lo;
    const size_t bytes = static_cast<size_t>(columns.hi - left) * 4;
    uchar* outBits = out.bits();
    const qsizetype outStride = out.bytesPerLine();
    // Rows from..to - 1 of the region; runs of rows share nothing but what
    // they read, so they may run on several threads at once.
    const auto scaleRows = [&](int from, int to) {
        RowSource source(m_source, m_format);
        std::vector<int> line(bytes);
        std::vector<const uchar*> read;
        for (int y = from; y < to; ++y) {
            const size_t iy = static_cast<size_t>(y);
            if (!source.Rows(rows.first[iy], rows.count[iy], read))
                return false;
            for (const uchar*& row : read)
                row += static_cast<size_t>(left) * 4;
            SumRows(line.data(), read.data(), rowWeights.data() + rows.offset[iy], rows.count[iy], bytes);

            uchar* dest = outBits + y * outStride;
            for (int x = 0; x < area.width(); ++x, dest += 4) {
                const size_t ix = static_cast<size_t>(x);
                const int* weights = columnWeights.data() + columns.offset[ix];
                const int* acc = line.data() + static_cast<size_t>(columns.first[ix] - left) * 4;
                // Weights are never negative: only rounding can pass 255.
                int sum[4] = {1 << (kShift - 1), 1 << (kShift - 1), 1 << (kShift - 1), 1 << (kShift - 1)};
                for (int k = 0; k < columns.count[ix]; ++k, acc += 4) {
                    const int w = weights[k];
                    sum[0] += w * acc[0];
                    sum[1] += w * acc[1];
                    sum[2] += w * acc[2];
                    sum[3] += w * acc[3];
                }
                for (int c = 0; c < 4; ++c)
                    dest[c] = static_cast<uchar>(std::min(sum[c] >> kShift, 255));
            }
        }
        return true;
    };

    // Large regions are shared out over the pool's threads; a run the pool
    // has no thread for is done here, so this never waits on a busy pool.
    const int runs = area.width() * area.height() >= kPixelsPerThread
                         ? std::clamp(QThread::idealThreadCount(), 1, area.height())
                         : 1;
    QSemaphore done;
    std::vector<char> ok(static_cast<size_t>(runs), 1);
    int started = 0;
    for (int r = 1; r < runs; ++r) {
        const int from = area.height() * r / runs;
        const int to = area.height() * (r + 1) / runs;
        const bool queued = QThreadPool::globalInstance()->tryStart([&, r, from, to] {
            ok[static_cast<size_t>(r)] = scaleRows(from, to);
            done.release();
        });
        if (queued)
            ++started;
        else
            ok[static_cast<size_t>(r)] = scaleRows(from, to);
    }
    ok[0] = scaleRows(0, area.height() / runs);
    done.acquire(started);
    if (std::find(ok.begin(), ok.end(), 0) != ok.end())
        return {};
    return out;
}

QImage ShrinkImage(const QImage& src, QSize size)
{
    if (src.isNull() || size.isEmpty())
        return {};
    return AreaScaler(src, {}, src.size(), size).Region(QRect(QPoint(0, 0), size));
}
