// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A plain Lanczos-3 resampler and PSNR, as the reference that scaled
// pictures are measured against (tests and benchmarks), and the grain that
// makes a drawn picture as hard to scale as a camera's. Slow and simple on
// purpose: separable, in double precision, weights normalised per pixel,
// the kernel widened by the reduction when shrinking. Opaque pictures only.

#include <QImage>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace lanczos {

inline double Kernel(double x)
{
    constexpr double a = 3.0;
    if (x == 0.0)
        return 1.0;
    if (std::abs(x) >= a)
        return 0.0;
    const double px = std::numbers::pi * x;
    return a * std::sin(px) * std::sin(px / a) / (px * px);
}

// Weights of the source samples for each destination sample along one axis.
struct Taps {
    int first = 0;
    std::vector<double> weights;
};

inline std::vector<Taps> AxisTaps(int from, int to)
{
    const double scale = double(from) / to;
    const double support = 3.0 * std::max(1.0, scale);
    const double stretch = std::max(1.0, scale);
    std::vector<Taps> taps(static_cast<size_t>(to));
    for (int i = 0; i < to; ++i) {
        const double centre = (i + 0.5) * scale - 0.5;
        const int lo = static_cast<int>(std::floor(centre - support)) + 1;
        const int hi = static_cast<int>(std::floor(centre + support));
        Taps& t = taps[static_cast<size_t>(i)];
        t.first = lo;
        double sum = 0;
        for (int s = lo; s <= hi; ++s) {
            const double w = Kernel((s - centre) / stretch);
            t.weights.push_back(w);
            sum += w;
        }
        for (double& w : t.weights)
            w /= sum;
    }
    return taps;
}

// src (any opaque format) resampled to size; RGB32.
inline QImage Resample(const QImage& source, QSize size)
{
    const QImage src = source.convertToFormat(QImage::Format_RGB32);
    const int sw = src.width();
    const int sh = src.height();
    const std::vector<Taps> across = AxisTaps(sw, size.width());
    const std::vector<Taps> down = AxisTaps(sh, size.height());
    // Horizontal pass into doubles, then vertical pass to 8-bit.
    std::vector<double> mid(static_cast<size_t>(size.width()) * sh * 3);
    for (int y = 0; y < sh; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const Taps& t = across[static_cast<size_t>(x)];
            double r = 0, g = 0, b = 0;
            for (size_t k = 0; k < t.weights.size(); ++k) {
                const QRgb p = line[std::clamp(t.first + static_cast<int>(k), 0, sw - 1)];
                r += t.weights[k] * qRed(p);
                g += t.weights[k] * qGreen(p);
                b += t.weights[k] * qBlue(p);
            }
            double* m = &mid[(static_cast<size_t>(y) * size.width() + x) * 3];
            m[0] = r;
            m[1] = g;
            m[2] = b;
        }
    }
    QImage out(size, QImage::Format_RGB32);
    const auto to8 = [](double v) { return static_cast<int>(std::clamp(std::lround(v), 0L, 255L)); };
    for (int y = 0; y < size.height(); ++y) {
        const Taps& t = down[static_cast<size_t>(y)];
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            double r = 0, g = 0, b = 0;
            for (size_t k = 0; k < t.weights.size(); ++k) {
                const int sy = std::clamp(t.first + static_cast<int>(k), 0, sh - 1);
                const double* m = &mid[(static_cast<size_t>(sy) * size.width() + x) * 3];
                r += t.weights[k] * m[0];
                g += t.weights[k] * m[1];
                b += t.weights[k] * m[2];
            }
            line[x] = qRgb(to8(r), to8(g), to8(b));
        }
    }
    return out;
}

// Peak signal-to-noise ratio of two same-sized pictures over R, G and B, in dB.
inline double Psnr(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    if (x.size() != y.size() || x.isNull())
        return 0.0;
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            const double dr = qRed(p[col]) - qRed(q[col]);
            const double dg = qGreen(p[col]) - qGreen(q[col]);
            const double db = qBlue(p[col]) - qBlue(q[col]);
            sum += dr * dr + dg * dg + db * db;
        }
    }
    const double mse = sum / (3.0 * x.width() * x.height());
    return mse == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

// Adds sensor-like grain: each pixel's channels moved together by a
// uniformly random amount in [-amplitude, amplitude], the same for a seed.
inline void AddGrain(QImage& image, int amplitude, unsigned seed)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> noise(-amplitude, amplitude);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = noise(rng);
            const auto move = [n](int v) { return std::clamp(v + n, 0, 255); };
            line[x] = qRgb(move(qRed(line[x])), move(qGreen(line[x])), move(qBlue(line[x])));
        }
    }
}

// Colour ramps and a sawtooth of blue under a camera's grain: every decoder
// reduction, colour sampling and filter tap shows in the result.
inline QImage GrainyRamps(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x * 255 / size.width(), y * 255 / size.height(), (x * 7 + y * 3) % 256));
    AddGrain(image, 10, 11);
    return image;
}

} // namespace lanczos
