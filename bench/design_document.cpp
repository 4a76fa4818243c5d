// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Design documents and the history as a user feels them, on a design of 12
// photos of 24 megapixels (6000x4000 JPEGs) on a 3840x2160 background, the
// design page's canvas painted after each change:
// - opening the design's document until the canvas has painted, against
//   adding the same photos by code (the background loaded, each photo
//   dropped) and painting, in the same iteration (target: under 1.5 s and
//   within 1.3x of adding);
// - Undo and Redo of a move and of a grey-scale edit, each with the paint
//   that shows it (target: under 16 ms median each);
// - the memory 200 steps of such a design keep above the design itself
//   (target: under 50 MB), as heap in use before and after.

#include "BenchScene.h"
#include "core/DesignDocument.h"
#include "designer/DesignPage.h"
#include "res/Resource.h"
#include "support/DesignPageControls.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <memory>
#include <vector>

namespace {

constexpr QSize kPhotoSize(6000, 4000);
constexpr QSize kBackgroundSize(3840, 2160);
constexpr int kPhotos = 12;
constexpr int kSteps = 200;

// The page lives until main() ends, before the application does; the scene
// is made first, as start-up makes it.
std::unique_ptr<BenchScene> g_scene;
std::unique_ptr<CDesignPage> g_page;
QString g_document;

bool Setup()
{
    if (g_page)
        return g_scene->ok;
    CDesignPage::SetStartupTipPending(false);
    g_scene = std::make_unique<BenchScene>(kPhotoSize, kPhotos, kBackgroundSize, QSize(1, 1));
    g_page = std::make_unique<CDesignPage>();
    g_page->Create();
    g_page->resize(g_page->TemplateSize());
    g_page->show();
    QCoreApplication::processEvents();
    DesignPageControls::Canvas(g_page.get()).repaint();
    if (!g_scene->ok || !g_scene->AddPhotos(kPhotos))
        return g_scene->ok = false;
    g_document = g_scene->dir.filePath("design.qvdesign");
    g_scene->ok = WriteDesignFile(g_document, g_scene->scene->GetDesign());
    return g_scene->ok;
}

void Paint()
{
    DesignPageControls::Canvas(g_page.get()).repaint();
}

std::vector<double> g_open, g_add;

void BM_OpenDocument(benchmark::State& state)
{
    if (!Setup()) {
        state.SkipWithError("the design could not be made");
        return;
    }
    SceneGraph* scene = g_scene->scene;
    for (auto _ : state) {
        scene->Init(PhotoTemplateProcessor::GetInstance());
        Paint();
        auto start = std::chrono::steady_clock::now();
        const bool opened = g_page->OpenDocument(g_document);
        Paint();
        g_open.push_back(Seconds(start));
        state.SetIterationTime(g_open.back());
        if (!opened || scene->GetPhotoCount() != kPhotos) {
            state.SkipWithError("the document did not open whole");
            return;
        }

        scene->Init(PhotoTemplateProcessor::GetInstance());
        Paint();
        start = std::chrono::steady_clock::now();
        const bool added =
            scene->ChangeBackImage(g_scene->dir.filePath("background.jpg")) && g_scene->AddPhotos(kPhotos);
        Paint();
        g_add.push_back(Seconds(start));
        if (!added) {
            state.SkipWithError("the photos could not be added");
            return;
        }
    }
    state.counters["open_ms"] = 1e3 * Median(g_open);
    state.counters["add_ms"] = 1e3 * Median(g_add);
    state.counters["ratio"] = Median(g_open) / Median(g_add);
}

std::vector<double> g_undoMove, g_redoMove, g_undoGrey, g_redoGrey;

// Times Undo and Redo of the step `make` makes, each with its paint.
void UndoRedo(benchmark::State& state, const std::function<bool()>& make, std::vector<double>& undo,
              std::vector<double>& redo)
{
    if (!Setup() || !g_page->OpenDocument(g_document)) {
        state.SkipWithError("the design could not be opened");
        return;
    }
    SceneGraph* scene = g_scene->scene;
    scene->CheckHitPhoto(scene->GetPhotoDrawRect(scene->GetPhoto(5)).CenterPoint().x,
                         scene->GetPhotoDrawRect(scene->GetPhoto(5)).CenterPoint().y);
    if (!make()) {
        state.SkipWithError("the step could not be made");
        return;
    }
    Paint();
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        g_page->OnCmdMsg(ID_EDIT_UNDO);
        Paint();
        undo.push_back(Seconds(start));
        start = std::chrono::steady_clock::now();
        g_page->OnCmdMsg(ID_EDIT_REDO);
        Paint();
        redo.push_back(Seconds(start));
        state.SetIterationTime(undo.back() + redo.back());
    }
    if (scene->GetHistory().UndoCount() != 1)
        state.SkipWithError("undo and redo did not keep to the one step");
    state.counters["undo_ms"] = 1e3 * Median(undo);
    state.counters["redo_ms"] = 1e3 * Median(redo);
}

void BM_UndoRedoMove(benchmark::State& state)
{
    UndoRedo(
        state,
        [] {
            SceneGraph* scene = g_scene->scene;
            SSceneObject* photo = scene->GetSelectedSceneObj();
            const CRect from = scene->GetPhotoDrawRect(photo);
            CRect to = from;
            to.OffsetRect(37, 21);
            return photo && scene->DragPhoto(photo, photo->GetSceneRect(), from, to);
        },
        g_undoMove, g_redoMove);
}

void BM_UndoRedoGreyScale(benchmark::State& state)
{
    UndoRedo(
        state,
        [] {
            SceneGraph* scene = g_scene->scene;
            return scene->EditPhoto(scene->GetSelectedSceneObj(), PhotoEdit::GrayScale);
        },
        g_undoGrey, g_redoGrey);
}

double HeapInUseMB()
{
    malloc_trim(0);
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / (1 << 20);
}

double g_designMB = 0, g_historyMB = 0, g_keptMB = 0;

void BM_HistoryMemory(benchmark::State& state)
{
    if (!Setup()) {
        state.SkipWithError("the design could not be made");
        return;
    }
    SceneGraph* scene = g_scene->scene;
    for (auto _ : state) {
        scene->Init(PhotoTemplateProcessor::GetInstance());
        if (!g_page->OpenDocument(g_document)) {
            state.SkipWithError("the design could not be opened");
            return;
        }
        Paint();
        const double design = HeapInUseMB();
        // Every kind of step that keeps something, round the photos: moves,
        // grey scale (keeps the colours), enlarging (keeps the pixels decoded
        // before), mirror, a photo deleted (kept whole) and one added. A grey
        // scale of a grey photo is no step; the round goes on until 200 are.
        for (int k = 0; scene->GetHistory().UndoCount() < kSteps && k < 10 * kSteps; ++k) {
            SSceneObject* photo = scene->GetPhoto(k % scene->GetPhotoCount());
            const CRect at = scene->GetPhotoDrawRect(photo);
            CRect to = at;
            switch (k % 6) {
            case 0:
                to.OffsetRect(3, 2);
                scene->DragPhoto(photo, photo->GetSceneRect(), at, to);
                break;
            case 1:
                scene->EditPhoto(photo, PhotoEdit::GrayScale);
                break;
            case 2:
                to.right += 12;
                to.bottom += 8;
                scene->DragPhoto(photo, photo->GetSceneRect(), at, to);
                break;
            case 3:
                scene->EditPhoto(photo, PhotoEdit::Mirror);
                break;
            case 4:
                scene->DeletePhoto(photo);
                break;
            default:
                g_scene->AddPhotos(1);
                break;
            }
            Paint();
        }
        const double after = HeapInUseMB();
        if (scene->GetHistory().UndoCount() != kSteps) {
            state.SkipWithError("the steps were not recorded");
            return;
        }
        g_keptMB = static_cast<double>(scene->GetHistory().KeptBytes()) / (1 << 20);
        // The design the steps made, opened again without them (its decode
        // boxes give the very same pixels): what is left is the history's.
        scene->OpenDesign(scene->GetDesign());
        Paint();
        const double same = HeapInUseMB();
        if (scene->CanUndo()) {
            state.SkipWithError("the history was not cleared");
            return;
        }
        g_designMB = same;
        g_historyMB = after - same;
        std::printf("(heap: design opened %.1f MB, after the steps %.1f MB, their design alone %.1f MB)\n", design,
                    after, same);
    }
    state.counters["history_MB"] = g_historyMB;
    state.counters["kept_pixels_MB"] = g_keptMB;
}

BENCHMARK(BM_OpenDocument)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRedoMove)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRedoGreyScale)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

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
    if (!g_open.empty())
        std::printf("open a document of %d photos of %dx%d on %dx%d, painted: %.0f ms median; adding them by code "
                    "%.0f ms; ratio %.2f\n",
                    kPhotos, kPhotoSize.width(), kPhotoSize.height(), kBackgroundSize.width(), kBackgroundSize.height(),
                    1e3 * Median(g_open), 1e3 * Median(g_add), Median(g_open) / Median(g_add));
    if (!g_undoMove.empty())
        std::printf("move: undo %.2f ms, redo %.2f ms median, painted\n", 1e3 * Median(g_undoMove),
                    1e3 * Median(g_redoMove));
    if (!g_undoGrey.empty())
        std::printf("grey scale: undo %.2f ms, redo %.2f ms median, painted\n", 1e3 * Median(g_undoGrey),
                    1e3 * Median(g_redoGrey));
    if (g_historyMB != 0 || g_keptMB != 0)
        std::printf("%d steps: %.1f MB of heap above the design's %.1f MB (kept pixels %.1f MB)\n", kSteps, g_historyMB,
                    g_designMB, g_keptMB);
    g_page.reset();
    g_scene.reset();
    DestroyScene();
    return 0;
}
