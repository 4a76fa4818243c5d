#include "core/BandScaler.h"

#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <cmath>

namespace {

// A region smaller than this many pixels a thread is scaled on one thread:
// handing it out would cost more than it saves.
constexpr int kPixelsPerThread = 64 * 1024;

} // namespace

BandScaler::BandScaler(const QImage& source, QPoint origin, QSize fullSize, QSize target)
    : m_source(source.convertToFormat(source.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                               : QImage::Format_RGB32)),
      m_origin(origin), m_full(fullSize), m_target(target)
{
}

BandScaler::Axis BandScaler::AxisFor(int from, int to, int fullLength, int targetLength, int origin, int held)
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

QImage BandScaler::Region(const QRect& region) const
{
    const QRect area = region & QRect(QPoint(0, 0), m_target);
    if (area.isEmpty() || m_source.isNull() || m_full.isEmpty())
        return {};
    QImage out(area.size(), m_source.format());
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

    // For each target row: the vertical average of the source rows it reads,
    // over the columns the region reads, then each target pixel across it.
    // Fixed point: weights of kWeightBits, the vertical sums kept with
    // kExtraBits below the byte, all four bytes of a pixel alike.
    constexpr int kWeightBits = 14;
    constexpr int kExtraBits = 6;
    constexpr float kOne = 1 << kWeightBits;
    const auto fixed = [](const std::vector<float>& weights) {
        std::vector<int> out(weights.size());
        for (size_t i = 0; i < weights.size(); ++i)
            out[i] = static_cast<int>(weights[i] * kOne + 0.5f);
        return out;
    };
    const std::vector<int> columnWeights = fixed(columns.weights);
    const std::vector<int> rowWeights = fixed(rows.weights);

    const int left = columns.lo;
    const size_t bytes = static_cast<size_t>(columns.hi - left) * 4;
    const uchar* sourceBits = m_source.constBits();
    const qsizetype sourceStride = m_source.bytesPerLine();
    uchar* outBits = out.bits();
    const qsizetype outStride = out.bytesPerLine();
    // Rows from..to - 1 of the region; runs of rows share nothing but what
    // they read, so they may run on several threads at once.
    const auto scaleRows = [&](int from, int to) {
        std::vector<int> line(bytes);
        for (int y = from; y < to; ++y) {
            const size_t iy = static_cast<size_t>(y);
            std::fill(line.begin(), line.end(), 0);
            for (int k = 0; k < rows.count[iy]; ++k) {
                const int w = rowWeights[static_cast<size_t>(rows.offset[iy] + k)];
                const uchar* source =
                    sourceBits + (rows.first[iy] + k) * sourceStride + static_cast<qsizetype>(left) * 4;
                int* acc = line.data();
                for (size_t i = 0; i < bytes; ++i)
                    acc[i] += w * source[i];
            }
            for (int& v : line)
                v >>= kWeightBits - kExtraBits;

            uchar* dest = outBits + y * outStride;
            for (int x = 0; x < area.width(); ++x, dest += 4) {
                const size_t ix = static_cast<size_t>(x);
                const int* weights = columnWeights.data() + columns.offset[ix];
                const int* acc = line.data() + static_cast<size_t>(columns.first[ix] - left) * 4;
                constexpr int kShift = kWeightBits + kExtraBits;
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
    };

    // Large regions are shared out over the pool's threads; a run the pool
    // has no thread for is done here, so this never waits on a busy pool.
    const int runs = area.width() * area.height() >= kPixelsPerThread
                         ? std::clamp(QThread::idealThreadCount(), 1, area.height())
                         : 1;
    QSemaphore done;
    int started = 0;
    for (int r = 1; r < runs; ++r) {
        const int from = area.height() * r / runs;
        const int to = area.height() * (r + 1) / runs;
        const bool queued = QThreadPool::globalInstance()->tryStart([&, from, to] {
            scaleRows(from, to);
            done.release();
        });
        if (queued)
            ++started;
        else
            scaleRows(from, to);
    }
    scaleRows(0, area.height() / runs);
    done.acquire(started);
    return out;
}
