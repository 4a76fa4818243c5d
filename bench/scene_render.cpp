// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A canvas paint: a 1920x1080 background with 12 photos from 6000x4000 JPEGs,
// rendered into a 640x500 canvas. Ours draws from per-photo copies made at
// their on-screen size; the naive path draws every photo (and the background)
// scaled from its full-size picture at each paint. Both run in one process on
// the same scene and the ratio of the medians is printed at the end.

#include "BenchScene.h"
#include "core/PhotoTemplateProcessor.h"
#include "core/SceneGraph.h"
#include "pictures/PictureFiles.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr QSize kPhotoSize(6000, 4000);
constexpr QSize kBackgroundSize(1920, 1080);
constexpr QSize kCanvasSize(640, 500);
constexpr int kPhotos = 12;
constexpr int kDistinctFiles = 4;

struct Fixture : BenchScene {
    Fixture() : BenchScene(kPhotoSize, kDistinctFiles, kBackgroundSize, kCanvasSize, kPhotos) {}
};

Fixture& Scene()
{
    static Fixture fixture;
    return fixture;
}

std::vector<double> g_ours;
std::vector<double> g_naive;

void BM_RenderFromOnScreenCopies(benchmark::State& state)
{
    if (!Scene().ok) {
        state.SkipWithError("scene set-up failed");
        return;
    }
    SceneGraph* scene = SceneGraph::GetInstance();
    QImage canvas(kCanvasSize, QImage::Format_RGB32);
    const CRect client(0, 0, kCanvasSize.width(), kCanvasSize.height());
    {
        // The first paint makes the copies; later paints only reuse them.
        QPainter painter(&canvas);
        scene->Render(&painter, client);
    }
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        QPainter painter(&canvas);
        painter.fillRect(canvas.rect(), QColor(150, 150, 150));
        scene->Render(&painter, client);
        painter.end();
        g_ours.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        benchmark::DoNotOptimize(canvas.constBits());
    }
}

void BM_RenderFromFullSizePictures(benchmark::State& state)
{
    if (!Scene().ok) {
        state.SkipWithError("scene set-up failed");
        return;
    }
    SceneGraph* scene = SceneGraph::GetInstance();
    std::vector<CxImage> full(kDistinctFiles);
    for (int i = 0; i < kDistinctFiles; ++i) {
        if (!full[static_cast<size_t>(i)].Load(Scene().files[static_cast<size_t>(i)], CXIMAGE_FORMAT_JPG) ||
            full[static_cast<size_t>(i)].GetDecodedSize() != kPhotoSize) {
            state.SkipWithError("full-size decode failed");
            return;
        }
    }
    std::vector<CRect> places;
    for (int i = 0; i < kPhotos; ++i)
        places.push_back(scene->GetPhotoDrawRect(scene->GetPhoto(i)));
    const CRect client(0, 0, kCanvasSize.width(), kCanvasSize.height());
    float scale = 1;
    const CRect fitted = ResizeRect(scene->GetBackGroundActualRect(), client, scale);

    QImage canvas(kCanvasSize, QImage::Format_RGB32);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        QPainter painter(&canvas);
        painter.fillRect(canvas.rect(), QColor(150, 150, 150));
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(fitted.ToQRect(), scene->GetBackground().GetImage());
        painter.setClipRect(fitted.ToQRect());
        for (int i = 0; i < kPhotos; ++i)
            painter.drawImage(places[static_cast<size_t>(i)].ToQRect(),
                              full[static_cast<size_t>(i % kDistinctFiles)].GetImage());
        painter.end();
        g_naive.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        benchmark::DoNotOptimize(canvas.constBits());
    }
}

BENCHMARK(BM_RenderFromOnScreenCopies)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderFromFullSizePictures)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    const double ours = Median(g_ours);
    const double naive = Median(g_naive);
    if (ours > 0 && naive > 0)
        std::printf("canvas render, %d photos from %dx%d JPEGs on %dx%d into %dx%d: ours %.3f ms median, "
                    "from full-size pictures %.1f ms median, %.0fx faster\n",
                    kPhotos, kPhotoSize.width(), kPhotoSize.height(), kBackgroundSize.width(), kBackgroundSize.height(),
                    kCanvasSize.width(), kCanvasSize.height(), ours * 1e3, naive * 1e3, naive / ours);
    DestroyScene();
    benchmark::Shutdown();
    return 0;
}
