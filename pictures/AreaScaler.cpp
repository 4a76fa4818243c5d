// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/AreaScaler.h"

#include "platform/SideBySide.h"

#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#define QUILVANE_AVX2_ROWS 1
#endif

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

// The weights of a filter with negative lobes, rounded to the nearest, each
// target pixel's put right in its largest weight so they still sum to one:
// otherwise a flat colour would come out a shade off.
std::vector<int> FixedSigned(const std::vector<float>& weights, const std::vector<int>& offset,
                             const std::vector<int>& count)
{
    std::vector<int> out(weights.size());
    for (size_t t = 0; t < offset.size(); ++t) {
        const size_t from = static_cast<size_t>(offset[t]);
        const size_t to = from + static_cast<size_t>(count[t]);
        int sum = 0;
        size_t largest = from;
        for (size_t i = from; i < to; ++i) {
            out[i] = static_cast<int>(std::lround(weights[i] * (1 << kWeightBits)));
            sum += out[i];
            if (out[i] > out[largest])
                largest = i;
        }
        out[largest] += (1 << kWeightBits) - sum;
    }
    return out;
}

// Lanczos-3: a windowed sinc with two side lobes each way.
double Lanczos3(double x)
{
    constexpr double a = 3.0;
    if (x == 0.0)
        return 1.0;
    if (std::abs(x) >= a)
        return 0.0;
    const double px = std::numbers::pi * x;
    return a * std::sin(px) * std::sin(px / a) / (px * px);
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

#if defined(QUILVANE_AVX2_ROWS)
// SumRows where the processor has AVX2 (most since 2013): each byte widened
// to 16 bits as it is loaded, sixteen at a time from two rows, with the same
// sums to the bit as the SSE2 way in about half the instructions.
__attribute__((target("avx2"))) size_t SumRowsAvx2(int16_t* line, const uchar* const* rows, const int* weights,
                                                   int count, size_t n)
{
    size_t i = 0;
    const __m256i zero = _mm256_setzero_si256();
    for (; i + 16 <= n; i += 16) {
        __m256i lo = zero;
        __m256i hi = zero;
        int k = 0;
        for (; k + 1 < count; k += 2) {
            const __m256i a = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k] + i)));
            const __m256i b = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k + 1] + i)));
            const __m256i w =
                _mm256_set1_epi32(static_cast<int>(static_cast<uint16_t>(weights[k])) | (weights[k + 1] << 16));
            lo = _mm256_add_epi32(lo, _mm256_madd_epi16(_mm256_unpacklo_epi16(a, b), w));
            hi = _mm256_add_epi32(hi, _mm256_madd_epi16(_mm256_unpackhi_epi16(a, b), w));
        }
        if (k < count) {
            const __m256i a = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k] + i)));
            const __m256i w = _mm256_set1_epi32(static_cast<int>(static_cast<uint16_t>(weights[k])));
            lo = _mm256_add_epi32(lo, _mm256_madd_epi16(_mm256_unpacklo_epi16(a, zero), w));
            hi = _mm256_add_epi32(hi, _mm256_madd_epi16(_mm256_unpackhi_epi16(a, zero), w));
        }
        // The unpacks work within 128-bit lanes, and so does the pack: the
        // sixteen sums come out in order.
        lo = _mm256_srai_epi32(lo, kWeightBits - kExtraBits);
        hi = _mm256_srai_epi32(hi, kWeightBits - kExtraBits);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(line + i), _mm256_packs_epi32(lo, hi));
    }
    return i;
}

bool HasAvx2()
{
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}

// Target pixels two at a time, one in each 128-bit lane, from a summed line
// (four 16-bit channels a pixel): first[x] is target x's first summed pixel
// and weights[x * pairs + 2 * k + (x & 1)] its k-th pair of weights (zero
// past its own taps), for x in pairs of two. The same sums to the bit as
// SumAcross.
__attribute__((target("avx2"))) void SumAcrossAvx2(uchar* dest, const int16_t* line, const int* first,
                                                   const int32_t* weights, int width, int pairs)
{
    // Each lane's two pixels, channel by channel: p0 q0 p1 q1 p2 q2 p3 q3.
    const __m256i interleave = _mm256_setr_epi8(0, 1, 8, 9, 2, 3, 10, 11, 4, 5, 12, 13, 6, 7, 14, 15, 0, 1, 8, 9, 2, 3,
                                                10, 11, 4, 5, 12, 13, 6, 7, 14, 15);
    const __m256i spread = _mm256_setr_epi32(0, 0, 0, 0, 1, 1, 1, 1);
    const __m256i round = _mm256_set1_epi32(1 << (kShift - 1));
    for (int x = 0; x < width; x += 2) {
        const int16_t* a = line + static_cast<size_t>(first[x]) * 4;
        const int16_t* b = line + static_cast<size_t>(first[x + 1]) * 4;
        const int32_t* w = weights + static_cast<size_t>(x) * pairs;
        __m256i sum = round;
        for (int k = 0; k < pairs; ++k, a += 8, b += 8) {
            const __m256i both =
                _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a))),
                                        _mm_loadu_si128(reinterpret_cast<const __m128i*>(b)), 1);
            const __m256i wk = _mm256_permutevar8x32_epi32(
                _mm256_castsi128_si256(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(w + 2 * k))), spread);
            sum = _mm256_add_epi32(sum, _mm256_madd_epi16(_mm256_shuffle_epi8(both, interleave), wk));
        }
        sum = _mm256_srai_epi32(sum, kShift);
        const __m256i bytes = _mm256_packus_epi16(_mm256_packs_epi32(sum, sum), sum);
        const int left = _mm256_cvtsi256_si32(bytes);
        std::memcpy(dest + static_cast<size_t>(x) * 4, &left, 4);
        if (x + 1 < width) {
            const int right = _mm256_extract_epi32(bytes, 4);
            std::memcpy(dest + static_cast<size_t>(x + 1) * 4, &right, 4);
        }
    }
}
#endif

// line[i] = the weighted sum of the source rows, bytes [0, n) of each, kept
// with kExtraBits below the byte (it fits 16 bits even with a filter's
// overshoot).
void SumRows(int16_t* line, const uchar* const* rows, const int* weights, int count, size_t n)
{
    size_t i = 0;
#if defined(QUILVANE_AVX2_ROWS)
    if (HasAvx2())
        i = SumRowsAvx2(line, rows, weights, count, n);
#endif
#if defined(__SSE2__)
    // Sixteen bytes at a time, two rows at a time: their bytes interleaved,
    // so one multiply-add weighs and sums both, with the sums kept in
    // registers over all the rows.
    const __m128i zero = _mm_setzero_si128();
    const auto weighed = [&](__m128i* sum, __m128i a, __m128i b, __m128i w) {
        const __m128i alo = _mm_unpacklo_epi8(a, zero);
        const __m128i ahi = _mm_unpackhi_epi8(a, zero);
        const __m128i blo = _mm_unpacklo_epi8(b, zero);
        const __m128i bhi = _mm_unpackhi_epi8(b, zero);
        sum[0] = _mm_add_epi32(sum[0], _mm_madd_epi16(_mm_unpacklo_epi16(alo, blo), w));
        sum[1] = _mm_add_epi32(sum[1], _mm_madd_epi16(_mm_unpackhi_epi16(alo, blo), w));
        sum[2] = _mm_add_epi32(sum[2], _mm_madd_epi16(_mm_unpacklo_epi16(ahi, bhi), w));
        sum[3] = _mm_add_epi32(sum[3], _mm_madd_epi16(_mm_unpackhi_epi16(ahi, bhi), w));
    };
    for (; i + 16 <= n; i += 16) {
        __m128i sum[4] = {zero, zero, zero, zero};
        int k = 0;
        for (; k + 1 < count; k += 2) {
            const int pair = static_cast<int>(static_cast<uint16_t>(weights[k])) | (weights[k + 1] << 16);
            weighed(sum, _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k] + i)),
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k + 1] + i)), _mm_set1_epi32(pair));
        }
        if (k < count) {
            weighed(sum, _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k] + i)), zero,
                    _mm_set1_epi32(static_cast<int>(static_cast<uint16_t>(weights[k]))));
        }
        for (__m128i& s : sum)
            s = _mm_srai_epi32(s, kWeightBits - kExtraBits);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(line + i), _mm_packs_epi32(sum[0], sum[1]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(line + i + 8), _mm_packs_epi32(sum[2], sum[3]));
    }
#endif
    for (; i < n; ++i) {
        int sum = 0;
        for (int k = 0; k < count; ++k)
            sum += weights[k] * rows[k][i];
        line[i] = static_cast<int16_t>(sum >> (kWeightBits - kExtraBits));
    }
}

// One target pixel from `count` neighbouring pixels of a summed line (four
// 16-bit channels each) and their weights; clamped to bytes.
inline void SumAcross(uchar* dest, const int16_t* acc, const int16_t* weights, int count)
{
#if defined(__SSE2__)
    // Two pixels at a time: their channels interleaved, so one multiply-add
    // weighs and sums both for all four channels.
    __m128i sum = _mm_set1_epi32(1 << (kShift - 1));
    int k = 0;
    for (; k + 1 < count; k += 2, acc += 8) {
        const __m128i p = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(acc));
        const __m128i q = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(acc + 4));
        const int pair = static_cast<int>(static_cast<uint16_t>(weights[k])) | (int{weights[k + 1]} << 16);
        sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_unpacklo_epi16(p, q), _mm_set1_epi32(pair)));
    }
    if (k < count) {
        const __m128i p = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(acc));
        const int single = static_cast<int>(static_cast<uint16_t>(weights[k]));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_unpacklo_epi16(p, _mm_setzero_si128()), _mm_set1_epi32(single)));
    }
    sum = _mm_srai_epi32(sum, kShift);
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(sum, sum), _mm_setzero_si128());
    const int packed = _mm_cvtsi128_si32(bytes);
    std::memcpy(dest, &packed, 4);
#else
    int sum[4] = {1 << (kShift - 1), 1 << (kShift - 1), 1 << (kShift - 1), 1 << (kShift - 1)};
    for (int k = 0; k < count; ++k, acc += 4) {
        const int w = weights[k];
        sum[0] += w * acc[0];
        sum[1] += w * acc[1];
        sum[2] += w * acc[2];
        sum[3] += w * acc[3];
    }
    for (int c = 0; c < 4; ++c)
        dest[c] = static_cast<uchar>(std::clamp(sum[c] >> kShift, 0, 255));
#endif
}

} // namespace

AreaScaler::AreaScaler(const QImage& source, QPoint origin, QSize fullSize, QSize target, ScaleFilter filter)
    : m_source(source), m_format(Format32(source)), m_origin(origin), m_full(fullSize), m_target(target),
      m_filter(filter)
{
}

AreaScaler::Axis AreaScaler::AxisFor(int from, int to, int fullLength, int targetLength, int origin, int held,
                                     ScaleFilter filter)
{
    Axis axis;
    axis.lo = held;
    const double scale = static_cast<double>(fullLength) / targetLength;
    std::vector<double> weights;
    for (int t = from; t < to; ++t) {
        int start = 0;
        weights.clear();
        if (targetLength < fullLength && filter == ScaleFilter::Lanczos3) {
            // The kernel widened by the reduction, centred where the target
            // pixel's centre falls on the source.
            const double centre = (t + 0.5) * scale - 0.5;
            const double support = 3.0 * scale;
            start = static_cast<int>(std::floor(centre - support)) + 1;
            const int stop = static_cast<int>(std::floor(centre + support));
            for (int i = start; i <= stop; ++i)
                weights.push_back(Lanczos3((i - centre) / scale));
        } else if (targetLength < fullLength) {
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

std::vector<int> AreaScaler::FixedWeights(const Axis& axis, ScaleFilter filter)
{
    return filter == ScaleFilter::Lanczos3 ? FixedSigned(axis.weights, axis.offset, axis.count) : Fixed(axis.weights);
}

// A run of target columns with their weights as SumAcross reads them.
struct AreaScaler::Columns {
    int width = 0;
    size_t sumBytes = 0;    // bytes of each source row the run reads
    size_t lineLength = 0;  // values of the summed line, room to read past its end included
    std::vector<int> first; // per target column: its first summed pixel
    std::vector<int> offset;
    std::vector<int> count;
    std::vector<int16_t> weights;
    // For SumAcrossAvx2, where the processor has AVX2: first and the weights
    // paired, every column with as many pairs (`pairs`), an even number of
    // columns (the last repeated).
    int pairs = 0;
    std::vector<int> evenFirst;
    std::vector<int32_t> pairWeights;
};

AreaScaler::Columns AreaScaler::ColumnsFor(const Axis& axis, ScaleFilter filter)
{
    Columns c;
    c.width = static_cast<int>(axis.first.size());
    c.sumBytes = static_cast<size_t>(axis.hi - axis.lo) * 4;
    for (const int first : axis.first)
        c.first.push_back(first - axis.lo);
    c.offset = axis.offset;
    c.count = axis.count;
    const std::vector<int> fixed = FixedWeights(axis, filter);
    c.weights.assign(fixed.begin(), fixed.end());
    c.lineLength = c.sumBytes;
#if defined(QUILVANE_AVX2_ROWS)
    if (HasAvx2() && c.width > 0) {
        c.pairs = (*std::max_element(c.count.begin(), c.count.end()) + 1) / 2;
        c.evenFirst = c.first;
        if (c.width % 2)
            c.evenFirst.push_back(c.first.back());
        c.pairWeights.assign(c.evenFirst.size() * static_cast<size_t>(c.pairs), 0);
        for (size_t x = 0; x < c.first.size(); ++x) {
            for (int k = 0; k < c.count[x]; ++k) {
                const size_t at =
                    (x & ~size_t{1}) * static_cast<size_t>(c.pairs) + static_cast<size_t>(k / 2) * 2 + (x & 1);
                const auto weight = static_cast<uint16_t>(c.weights[static_cast<size_t>(c.offset[x] + k)]);
                c.pairWeights[at] |= static_cast<int32_t>(static_cast<uint32_t>(weight) << (k % 2 ? 16 : 0));
            }
        }
        // A column's pairs read up to 2 * pairs pixels from its first.
        c.lineLength = c.sumBytes + static_cast<size_t>(c.pairs) * 8 + 8;
    }
#endif
    return c;
}

void AreaScaler::ScaleLine(uchar* dest, const Columns& columns, const uchar* const* read, const int* rowWeights,
                           int count, int16_t* line, bool clampToAlpha)
{
    SumRows(line, read, rowWeights, count, columns.sumBytes);
#if defined(QUILVANE_AVX2_ROWS)
    if (!columns.pairWeights.empty()) {
        SumAcrossAvx2(dest, line, columns.evenFirst.data(), columns.pairWeights.data(), columns.width, columns.pairs);
        for (int x = 0; clampToAlpha && x < columns.width; ++x, dest += 4) {
            for (int c = 0; c < 3; ++c)
                dest[c] = std::min(dest[c], dest[3]);
        }
        return;
    }
#endif
    for (int x = 0; x < columns.width; ++x, dest += 4) {
        const size_t ix = static_cast<size_t>(x);
        SumAcross(dest, line + static_cast<size_t>(columns.first[ix]) * 4, columns.weights.data() + columns.offset[ix],
                  columns.count[ix]);
        if (clampToAlpha) {
            for (int c = 0; c < 3; ++c)
                dest[c] = std::min(dest[c], dest[3]);
        }
    }
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
        m_columns = AxisFor(area.left(), area.right() + 1, m_full.width(), m_target.width(), m_origin.x(),
                            m_source.width(), m_filter);
        m_columnsFrom = area.left();
        m_columnsTo = area.right() + 1;
    }
    const Axis& columns = m_columns;
    const Axis rows = AxisFor(area.top(), area.bottom() + 1, m_full.height(), m_target.height(), m_origin.y(),
                              m_source.height(), m_filter);
    const Columns taps = ColumnsFor(columns, m_filter);
    const std::vector<int> rowWeights = FixedWeights(rows, m_filter);
    // With negative lobes a colour channel of a premultiplied pixel can
    // overshoot its alpha.
    const bool clampToAlpha = m_filter == ScaleFilter::Lanczos3 && m_format == QImage::Format_ARGB32_Premultiplied;

    // For each target row: the vertical average of the source rows it reads,
    // over the columns the region reads, then each target pixel across it.
    const size_t left = static_cast<size_t>(columns.lo);
    uchar* outBits = out.bits();
    const qsizetype outStride = out.bytesPerLine();
    // Rows from..to - 1 of the region; runs of rows share nothing but what
    // they read, so they may run on several threads at once.
    const auto scaleRows = [&](int from, int to) {
        RowSource source(m_source, m_format);
        std::vector<int16_t> line(taps.lineLength);
        std::vector<const uchar*> read;
        for (int y = from; y < to; ++y) {
            const size_t iy = static_cast<size_t>(y);
            if (!source.Rows(rows.first[iy], rows.count[iy], read))
                return false;
            for (const uchar*& row : read)
                row += left * 4;
            ScaleLine(outBits + y * outStride, taps, read.data(), rowWeights.data() + rows.offset[iy], rows.count[iy],
                      line.data(), clampToAlpha);
        }
        return true;
    };

    // Large regions are shared out over the pool's threads; a run the pool
    // has no thread for is done here, so this never waits on a busy pool.
    const int runs = area.width() * area.height() >= kPixelsPerThread
                         ? std::clamp(QThread::idealThreadCount(), 1, area.height())
                         : 1;
    std::vector<char> ok(static_cast<size_t>(runs), 1);
    RunSideBySide(runs, [&](int r) {
        ok[static_cast<size_t>(r)] = scaleRows(area.height() * r / runs, area.height() * (r + 1) / runs);
    });
    if (std::find(ok.begin(), ok.end(), 0) != ok.end())
        return {};
    return out;
}

int AreaScaler::RowsHeld(int sourceHeight, int targetHeight)
{
    if (sourceHeight < 1 || targetHeight < 1)
        return 0;
    // From the kernel's reach rather than its weights (AxisFor): every
    // window spans at most that many rows, fewer where it meets an edge.
    const double scale = static_cast<double>(sourceHeight) / targetHeight;
    const int reach = targetHeight < sourceHeight ? static_cast<int>(std::floor(6.0 * scale)) + 1 : 2;
    return std::min(sourceHeight, reach);
}

int AreaScaler::FirstRowRead(int sourceHeight, int targetHeight, int row)
{
    if (sourceHeight < 1 || targetHeight < 1)
        return 0;
    return AxisFor(row, row + 1, sourceHeight, targetHeight, 0, sourceHeight, ScaleFilter::Lanczos3).first.front();
}

bool AreaScaler::Stream(RowFeed& feed, QSize sourceSize, QSize target, int from, int to, uchar* pixels,
                        qsizetype stride)
{
    constexpr ScaleFilter filter = ScaleFilter::Lanczos3;
    if (sourceSize.isEmpty() || target.isEmpty() || from < 0 || to > target.height() || from >= to)
        return false;
    const Axis columns = AxisFor(0, target.width(), sourceSize.width(), target.width(), 0, sourceSize.width(), filter);
    const Axis rows = AxisFor(from, to, sourceSize.height(), target.height(), 0, sourceSize.height(), filter);
    const Columns taps = ColumnsFor(columns, filter);
    const std::vector<int> rowWeights = FixedWeights(rows, filter);
    std::vector<int16_t> line(taps.lineLength);
    std::vector<const uchar*> read(static_cast<size_t>(*std::max_element(rows.count.begin(), rows.count.end())));
    for (int y = 0; y < to - from; ++y) {
        const size_t iy = static_cast<size_t>(y);
        if (!feed.Rows(rows.first[iy], rows.count[iy], read.data()))
            return false;
        for (int k = 0; k < rows.count[iy]; ++k)
            read[static_cast<size_t>(k)] += static_cast<size_t>(columns.lo) * 4;
        ScaleLine(pixels + y * stride, taps, read.data(), rowWeights.data() + rows.offset[iy], rows.count[iy],
                  line.data(), false);
    }
    return true;
}

QImage ShrinkImage(const QImage& src, QSize size)
{
    if (src.isNull() || size.isEmpty())
        return {};
    return AreaScaler(src, {}, src.size(), size, ScaleFilter::Lanczos3).Region(QRect(QPoint(0, 0), size));
}
