// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One full paint of the design canvas: grey fill, the scene rendered into the
// off-screen buffer, the tracker over the selected photo and the copy of the
// buffer to the target, on a 640x500 canvas with a 1920x1080 background and
// 12 photos. The scene's Render alone is measured on the same scene in the
// same run, so what the canvas adds around it shows as a share of the paint.

#include "BenchScene.h"
#include "canvas/PhotoImageEditCtrl.h"
#include "core/PhotoTemplateProcessor.h"
#include "core/SceneGraph.h"

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr QSize kPhotoSize(4000, 3000);
constexpr QSize kBackgroundSize(1920, 1080);
constexpr QSize kCanvasSize(640, 500);
constexpr int kPhotos = 12;
constexpr int kDistinctFiles = 4;

struct Fixture : BenchScene {
    std::unique_ptr<CPhotoImageEditCtrl> canvas;

    Fixture() : BenchScene(kPhotoSize, kDistinctFiles, kBackgroundSize, kCanvasSize, kPhotos)
    {
        if (!ok)
            return;
        canvas = std::make_unique<CPhotoImageEditCtrl>();
        canvas->resize(kCanvasSize);
        // One photo selected, so each paint draws the tracker too.
        SceneGraph* scene = SceneGraph::GetInstance();
        scene->CheckHitPhoto(320, 250);
        ok = scene->GetSelectedSceneObj() != nullptr;
    }
};

Fixture& Scene()
{
    static Fixture fixture;
    return fixture;
}

std::vector<double> g_paint;
std::vector<double> g_render;

void BM_CanvasPaint(benchmark::State& state)
{
    if (!Scene().ok) {
        state.SkipWithError("scene set-up failed");
        return;
    }
    CPhotoImageEditCtrl& canvas = *Scene().canvas;
    // The screen's backing store stands in for the widget: QWidget::render
    // runs the canvas's own paint event into it.
    QImage target(kCanvasSize, QImage::Format_RGB32);
    canvas.render(&target); // the first paint makes the buffer and the scaled copies
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        canvas.render(&target);
        g_paint.push_back(Seconds(start));
        benchmark::DoNotOptimize(target.constBits());
    }
    if (canvas.MemoryBufferCreations() != 1)
        state.SkipWithError("the buffer was made more than once");
}

void BM_SceneRenderAlone(benchmark::State& state)
{
    if (!Scene().ok) {
        state.SkipWithError("scene set-up failed");
        return;
    }
    const SceneGraph* scene = SceneGraph::GetInstance();
    const CRect client(0, 0, kCanvasSize.width(), kCanvasSize.height());
    QImage target(kCanvasSize, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        const auto start = std::chrono::steady_clock::now();
        scene->Render(&painter, client);
        g_render.push_back(Seconds(start));
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}

BENCHMARK(BM_CanvasPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SceneRenderAlone)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    const double paint = Median(g_paint);
    const double render = Median(g_render);
    if (paint > 0 && render > 0)
        std::printf("canvas paint, %d photos on %dx%d into %dx%d with the tracker: %.3f ms median; "
                    "scene Render alone %.3f ms median; %.0f%% of the paint spent outside Render "
                    "(fill, tracker, buffer copy, paint-event dispatch)\n",
                    kPhotos, kBackgroundSize.width(), kBackgroundSize.height(), kCanvasSize.width(),
                    kCanvasSize.height(), paint * 1e3, render * 1e3, 100.0 * (paint - render) / paint);
    Scene().canvas.reset();
    DestroyScene();
    benchmark::Shutdown();
    return 0;
}
