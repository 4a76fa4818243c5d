#include "core/BandScaler.h"

#include <algorithm>
#include <cmath>

BandScaler::BandScaler(const QImage& source, QPoint origin, QSize fullSize, QSize target)
    : m_source(source.convertToFormat(source.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                               : QImage::Format_RGB32)),
      m_origin(origin), m_full(fullSize), m_target(target)
{
}

BandScaler::Taps BandScaler::TapsFor(int t, int fullLength, int targetLength, int origin, int held)
{
    Taps taps;
    const double scale = static_cast<double>(fullLength) / targetLength;
    int from = 0;
    std::vector<double> weights;
    if (targetLength < fullLength) {
        // The target pixel covers [t, t + 1) * scale of the source.
        const double begin = t * scale;
        const double end = (t + 1) * scale;
        from = static_cast<int>(std::floor(begin));
        const int to = std::min(fullLength, static_cast<int>(std::ceil(end)));
        for (int i = from; i < to; ++i)
            weights.push_back(std::min<double>(i + 1, end) - std::max<double>(i, begin));
    } else {
        // Pixel centres line up: target centre t + 0.5 lies at source
        // position (t + 0.5) * scale, between centres i + 0.5 and i + 1.5.
        const double at = (t + 0.5) * scale - 0.5;
        from = static_cast<int>(std::floor(at));
        const double f = at - from;
        weights = {1 - f, f};
    }
    // Indices outside the picture, or outside the part held, read its edge.
    // Neighbouring taps may then land on one index: they are merged.
    double total = 0;
    for (double w : weights)
        total += w;
    int last = -1;
    for (size_t k = 0; k < weights.size(); ++k) {
        const int full = std::clamp(from + static_cast<int>(k), 0, fullLength - 1);
        const int index = std::clamp(full - origin, 0, held - 1);
        const float w = static_cast<float>(weights[k] / total);
        if (last < 0) {
            taps.first = index;
            taps.weights.push_back(w);
        } else if (index == last) {
            taps.weights.back() += w;
        } else {
            taps.weights.resize(static_cast<size_t>(index - taps.first) + 1, 0.0f);
            taps.weights.back() += w;
        }
        last = index;
    }
    return taps;
}

QImage BandScaler::Region(const QRect& region) const
{
    const QRect area = region & QRect(QPoint(0, 0), m_target);
    if (area.isEmpty() || m_source.isNull() || m_full.isEmpty())
        return {};
    QImage out(area.size(), m_source.format());
    if (out.isNull())
        return {};

    std::vector<Taps> columns;
    columns.reserve(static_cast<size_t>(area.width()));
    int left = m_source.width();
    int right = 0;
    for (int x = area.left(); x <= area.right(); ++x) {
        columns.push_back(TapsFor(x, m_full.width(), m_target.width(), m_origin.x(), m_source.width()));
        left = std::min(left, columns.back().first);
        right = std::max(right, columns.back().first + static_cast<int>(columns.back().weights.size()));
    }

    // One source row range at a time: the target row's vertical average over
    // the columns the region reads, then each target pixel across it.
    std::vector<float> row(static_cast<size_t>(right - left) * 4);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const Taps rows = TapsFor(y, m_full.height(), m_target.height(), m_origin.y(), m_source.height());
        std::fill(row.begin(), row.end(), 0.0f);
        for (size_t k = 0; k < rows.weights.size(); ++k) {
            const float w = rows.weights[k];
            if (w == 0.0f)
                continue;
            const auto* line = reinterpret_cast<const QRgb*>(m_source.constScanLine(rows.first + static_cast<int>(k)));
            float* acc = row.data();
            for (int x = left; x < right; ++x, acc += 4) {
                const QRgb p = line[x];
                acc[0] += w * static_cast<float>(qAlpha(p));
                acc[1] += w * static_cast<float>(qRed(p));
                acc[2] += w * static_cast<float>(qGreen(p));
                acc[3] += w * static_cast<float>(qBlue(p));
            }
        }
        auto* dest = reinterpret_cast<QRgb*>(out.scanLine(y - area.top()));
        for (size_t c = 0; c < columns.size(); ++c) {
            const Taps& taps = columns[c];
            float sum[4] = {};
            const float* acc = row.data() + static_cast<size_t>(taps.first - left) * 4;
            for (float w : taps.weights) {
                for (int ch = 0; ch < 4; ++ch)
                    sum[ch] += w * acc[ch];
                acc += 4;
            }
            const auto channel = [](float v) { return std::clamp(static_cast<int>(v + 0.5f), 0, 255); };
            dest[c] = qRgba(channel(sum[1]), channel(sum[2]), channel(sum[3]), channel(sum[0]));
        }
    }
    return out;
}
