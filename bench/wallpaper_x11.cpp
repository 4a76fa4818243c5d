// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Setting a 6000x4000 photo stretched as the wallpaper of a 1920x1080 X11 root
// window: our path (decoded only to the size that covers the screen, libjpeg
// reducing while it reads) against decoding the photo at full size first and
// scaling that. Time and peak memory of each, and their ratios from runs of
// both in the same iteration.
//
// Needs an X server in $DISPLAY with a 1920x1080 root, e.g.
//   Xvfb :57 -screen 0 1920x1080x24 & DISPLAY=:57 bench_wallpaper_x11
// Without one every benchmark is skipped.

#include "PeakMemory.h"
#include "desktop/WallpaperRender.h"
#include "desktop/X11Backend.h"
#include "pictures/Picture.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QRadialGradient>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <random>

namespace {

constexpr QSize kPhotoSize(6000, 4000);

void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "bench_wallpaper_x11";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

// Gradients, soft shapes and a little sensor-like grain: a photo's amount of
// JPEG data, not a flat picture's.
QString PhotoPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        QImage photo(kPhotoSize, QImage::Format_RGB32);
        QPainter painter(&photo);
        QLinearGradient sky(0, 0, 0, kPhotoSize.height());
        sky.setColorAt(0, QColor(40, 90, 160));
        sky.setColorAt(0.5, QColor(210, 200, 180));
        sky.setColorAt(0.52, QColor(70, 110, 40));
        sky.setColorAt(1, QColor(30, 50, 20));
        painter.fillRect(photo.rect(), sky);
        painter.setPen(Qt::NoPen);
        for (int i = 0; i < 60; ++i) {
            const QPointF centre((i * 997) % kPhotoSize.width(), (i * 463) % kPhotoSize.height());
            QRadialGradient blob(centre, 150 + 7 * (i % 29));
            blob.setColorAt(0, QColor::fromHsv((i * 53) % 360, 150, 230));
            blob.setColorAt(1, QColor::fromHsv((i * 53 + 30) % 360, 180, 80, 0));
            painter.setBrush(blob);
            painter.drawEllipse(centre, 260.0 + 9 * (i % 17), 170.0 + 5 * (i % 23));
        }
        painter.end();
        std::mt19937 grain(1);
        for (int y = 0; y < photo.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
            for (int x = 0; x < photo.width(); ++x) {
                const int n = int(grain() % 9) - 4;
                const QRgb p = line[x];
                line[x] =
                    qRgb(qBound(0, qRed(p) + n, 255), qBound(0, qGreen(p) + n, 255), qBound(0, qBlue(p) + n, 255));
            }
        }
        const QString file = dir.filePath("photo.jpg");
        QImageWriter writer(file, "jpeg");
        writer.setQuality(90);
        if (!writer.write(photo))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return file;
    }();
    return path;
}

bool Ours(X11Backend& x11, const QString& path)
{
    return x11.SetWallpaper(path, WallpaperStyle::Stretch);
}

bool FullDecodeFirst(X11Backend& x11, const QString& path)
{
    return x11.SetRootImage([&](QSize root) {
        CxImage picture;
        if (!picture.Load(path, CXIMAGE_FORMAT_JPG) || picture.GetDecodedSize() != kPhotoSize)
            return QImage();
        return RenderWallpaper(picture.GetImage(), root, WallpaperStyle::Stretch);
    });
}

bool Ready(benchmark::State& state)
{
    EnsureApplication();
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        state.SkipWithError("no X display in DISPLAY");
        return false;
    }
    PhotoPath();
    return true;
}

template <bool (*Change)(X11Backend&, const QString&)> void BM_Stretch(benchmark::State& state)
{
    if (!Ready(state))
        return;
    X11Backend x11;
    double peak = 0;
    for (auto _ : state) {
        const Measure m = Run([&] { return Change(x11, PhotoPath()); });
        if (!m.ok) {
            state.SkipWithError("the wallpaper change failed");
            return;
        }
        state.SetIterationTime(m.seconds);
        peak = std::max(peak, m.peakMB);
    }
    state.counters["peak_MB"] = peak;
}

// Both paths in every iteration, so the ratios compare like with like on a
// noisy machine.
void BM_Ratio(benchmark::State& state)
{
    if (!Ready(state))
        return;
    X11Backend x11;
    double ours = 0, full = 0, oursPeak = 0, fullPeak = 0;
    for (auto _ : state) {
        const Measure a = Run([&] { return Ours(x11, PhotoPath()); });
        const Measure b = Run([&] { return FullDecodeFirst(x11, PhotoPath()); });
        if (!a.ok || !b.ok) {
            state.SkipWithError("a wallpaper change failed");
            return;
        }
        ours += a.seconds;
        full += b.seconds;
        oursPeak = std::max(oursPeak, a.peakMB);
        fullPeak = std::max(fullPeak, b.peakMB);
    }
    state.counters["ours_ms"] = 1e3 * ours / double(state.iterations());
    state.counters["full_ms"] = 1e3 * full / double(state.iterations());
    state.counters["time_ratio"] = full / ours;
    state.counters["ours_peak_MB"] = oursPeak;
    state.counters["full_peak_MB"] = fullPeak;
    state.counters["memory_ratio"] = fullPeak / oursPeak;
}

BENCHMARK(BM_Stretch<Ours>)->Name("StretchOnRoot/ours")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Stretch<FullDecodeFirst>)
    ->Name("StretchOnRoot/full_decode_first")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ratio)->Name("StretchOnRoot/ratio")->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
