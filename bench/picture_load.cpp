// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Loading a 24-megapixel photo for a 250x170 preview: with a decode limit,
// libjpeg reduces while decoding; the naive path decodes every pixel and then
// scales smoothly. Both are timed on the same file in one run and the ratio
// printed at the end.

#include "pictures/Picture.h"

#include <QCoreApplication>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

namespace {

constexpr QSize kPhotoSize(6000, 4000);
constexpr QSize kPreviewSize(250, 170);

// Seconds per load of each path, filled in as the benchmarks run.
double g_limitedSeconds = 0;
double g_fullSeconds = 0;

// Smooth gradients and soft shapes, like a photo and unlike noise, so the
// JPEG has a photo's size and the decoder a photo's work.
QString PhotoPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath("photo.jpg");
        QImage photo(kPhotoSize, QImage::Format_RGB32);
        QPainter painter(&photo);
        painter.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(0, 0, 0, kPhotoSize.height());
        sky.setColorAt(0, QColor(30, 80, 170));
        sky.setColorAt(0.55, QColor(200, 220, 240));
        sky.setColorAt(0.56, QColor(60, 120, 50));
        sky.setColorAt(1, QColor(20, 60, 20));
        painter.fillRect(photo.rect(), sky);
        for (int i = 0; i < 40; ++i) {
            const QPointF centre(150 * ((i * 37) % 40), 100 * ((i * 23) % 40));
            const qreal radius = 120 + 20 * (i % 13);
            QRadialGradient blob(centre, radius);
            blob.setColorAt(0, QColor::fromHsv((i * 47) % 360, 160, 240));
            blob.setColorAt(1, QColor::fromHsv((i * 47 + 40) % 360, 200, 90, 0));
            painter.setBrush(blob);
            painter.setPen(Qt::NoPen);
            painter.drawEllipse(centre, radius * 1.6, radius);
        }
        painter.end();
        QImageWriter writer(file, "jpeg");
        writer.setQuality(90);
        if (!writer.write(photo))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return file;
    }();
    return path;
}

void BM_PreviewWithDecodeLimit(benchmark::State& state)
{
    const QString path = PhotoPath();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        CxImage picture;
        picture.SetMaxDecodeSize(kPreviewSize);
        if (!picture.Load(path, CXIMAGE_FORMAT_JPG)) {
            state.SkipWithError("load failed");
            return;
        }
        benchmark::DoNotOptimize(picture.GetImage().constBits());
    }
    g_limitedSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                       static_cast<double>(state.iterations());
}

void BM_PreviewFullDecodeThenScale(benchmark::State& state)
{
    const QString path = PhotoPath();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        CxImage picture;
        if (!picture.Load(path, CXIMAGE_FORMAT_JPG) || picture.GetDecodedSize() != kPhotoSize) {
            state.SkipWithError("full load failed");
            return;
        }
        const QImage preview = picture.GetImage().scaled(kPreviewSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(preview.constBits());
    }
    g_fullSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                    static_cast<double>(state.iterations());
}

BENCHMARK(BM_PreviewWithDecodeLimit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewFullDecodeThenScale)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    if (g_limitedSeconds > 0 && g_fullSeconds > 0)
        std::printf("preview of a %dx%d JPEG: decode limit %.1f ms, full decode + scale %.1f ms, %.1fx faster\n",
                    kPhotoSize.width(), kPhotoSize.height(), g_limitedSeconds * 1e3, g_fullSeconds * 1e3,
                    g_fullSeconds / g_limitedSeconds);
    benchmark::Shutdown();
    return 0;
}
