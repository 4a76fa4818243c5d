// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The design page as a user feels it:
// - filling the photo list from a folder of 10,000 pictures, against a bare
//   listing of the same folder in the same iteration (target: under 200 ms
//   and within 3x of the listing);
// - selecting the next photo in a folder of 24-megapixel JPEGs, preview and
//   labels painted (target: under 40 ms median, so holding the arrow key
//   down feels live);
// - "Set As Wallpaper" of a 3840x2160 design with 12 photos on the plain X11
//   desktop: time and peak memory from the click to the desktop changed.
//   Needs an X server in $DISPLAY, e.g.
//     Xvfb :57 -screen 0 1920x1080x24 & DISPLAY=:57 bench_design_page
//   Without one that benchmark is skipped.

#include "BenchScene.h"
#include "PeakMemory.h"
#include "core/WallPaperManager.h"
#include "designer/DesignPage.h"
#include "res/Resource.h"
#include "support/DesignPageControls.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kListPictures = 10000;
constexpr int kPreviewPhotos = 4;
constexpr QSize kPreviewPhotoSize(6000, 4000);

std::vector<double> g_nextPhoto;
std::vector<double> g_fill;
std::vector<double> g_bare;

// A camera's folder: names in both cases, all six types.
const QString& ListFolder()
{
    static QTemporaryDir dir;
    static const QString folder = [] {
        static const char* const kExtensions[] = {".jpg", ".JPG", ".jpeg", ".png", ".bmp", ".gif"};
        for (int i = 0; i < kListPictures; ++i) {
            QFile file(
                dir.filePath(QStringLiteral("IMG_%1%2").arg(i, 5, 10, QLatin1Char('0')).arg(kExtensions[i % 6])));
            if (!file.open(QIODevice::WriteOnly))
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        }
        return dir.path();
    }();
    return folder;
}

const QString& PreviewFolder()
{
    static QTemporaryDir dir;
    static const QString folder = [] {
        for (int i = 0; i < kPreviewPhotos; ++i) {
            if (!WritePhotoLikeJpeg(dir.filePath(QStringLiteral("photo%1.jpg").arg(i)), kPreviewPhotoSize, i))
                std::fprintf(stderr, "cannot write the preview photos\n");
        }
        return dir.path();
    }();
    return folder;
}

// The page lives until main() ends, before the application does.
std::unique_ptr<CDesignPage> g_page;

CDesignPage& Page()
{
    if (!g_page) {
        // The folders come first: the tree lists their parent once, with
        // them in it, rather than taking them in while a benchmark runs.
        ListFolder();
        PreviewFolder();
        CDesignPage::SetStartupTipPending(false);
        g_page = std::make_unique<CDesignPage>();
        g_page->Create();
        g_page->resize(g_page->TemplateSize());
        g_page->show();
        QCoreApplication::processEvents();
    }
    return *g_page;
}

int BareListing(const QString& folder)
{
    QStringList names;
    QDirIterator entries(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    while (entries.hasNext()) {
        entries.next();
        names.append(entries.fileName());
    }
    return static_cast<int>(names.size());
}

void BM_FillPhotoList(benchmark::State& state)
{
    CDesignPage& page = Page();
    const QString folder = ListFolder();
    QTreeView& tree = DesignPageControls::FolderTree(&page);
    // Kept across the iterations, as the tree keeps its items while it sorts.
    const QPersistentModelIndex item = DesignPageControls::Folders(&page).index(folder);
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(BareListing(folder));
        g_bare.push_back(Seconds(start));

        // Away and back, as a user who chooses the folder again: the page
        // lists it afresh.
        tree.setCurrentIndex(QModelIndex());
        start = std::chrono::steady_clock::now();
        tree.setCurrentIndex(item);
        g_fill.push_back(Seconds(start));
        state.SetIterationTime(g_fill.back());
    }
    if (DesignPageControls::PhotoList(&page).GetCount() != kListPictures)
        state.SkipWithError("the list does not hold every picture");
    state.counters["fill_ms"] = 1e3 * Median(g_fill);
    state.counters["bare_ms"] = 1e3 * Median(g_bare);
    state.counters["ratio"] = Median(g_fill) / Median(g_bare);
}

void BM_NextPhotoPreview(benchmark::State& state)
{
    CDesignPage& page = Page();
    DesignPageControls::ChooseFolder(&page, PreviewFolder());
    CListBox& list = DesignPageControls::PhotoList(&page);
    if (list.GetCount() != kPreviewPhotos) {
        state.SkipWithError("the photos are missing");
        return;
    }
    int row = 0;
    for (auto _ : state) {
        row = (row + 1) % kPreviewPhotos;
        const auto start = std::chrono::steady_clock::now();
        // As the arrow key selects it: the page hears of it and previews.
        list.setCurrentRow(row);
        QCoreApplication::processEvents();
        g_nextPhoto.push_back(Seconds(start));
        state.SetIterationTime(g_nextPhoto.back());
    }
    if (list.GetCurSel() != row || DesignPageControls::Preview(&page).m_image.GetWidth() != kPreviewPhotoSize.width())
        state.SkipWithError("the preview did not follow the selection");
    state.counters["median_ms"] = 1e3 * Median(g_nextPhoto);
}

void BM_SetAsWallpaperX11(benchmark::State& state)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        state.SkipWithError("no X display in DISPLAY");
        return;
    }
    CDesignPage& page = Page();
    static BenchScene scene({4000, 3000}, 4, {3840, 2160}, DesignPageControls::Canvas(&page).size(), 12);
    if (!scene.ok) {
        state.SkipWithError("the scene could not be made");
        return;
    }
    QTemporaryDir work;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(work.path());
    double peak = 0;
    int n = 0;
    for (auto _ : state) {
        const QString written = QStringLiteral("wallpaper/wallpaper_%1.jpg").arg(++n);
        const Measure m = Run([&] {
            page.OnCmdMsg(IDC_SET_AS_WALLPAPER);
            return QFileInfo::exists(written);
        });
        if (!m.ok) {
            state.SkipWithError("the wallpaper was not written");
            break;
        }
        state.SetIterationTime(m.seconds);
        peak = std::max(peak, m.peakMB);
    }
    QDir::setCurrent(previous);
    state.counters["peak_MB"] = peak;
}

BENCHMARK(BM_FillPhotoList)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NextPhotoPreview)->UseManualTime()->Iterations(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetAsWallpaperX11)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The plain X11 desktop of the server in $DISPLAY, whatever session the
    // benchmark is started from.
    qputenv("QUILVANE_DESKTOP", "x11");
    QApplication app(argc, argv);
    WallPaperManager::StaticCreate();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    if (!g_fill.empty())
        std::printf("FillPhotoList, %d pictures: %.1f ms median; bare listing %.1f ms; ratio %.2f\n", kListPictures,
                    1e3 * Median(g_fill), 1e3 * Median(g_bare), Median(g_fill) / Median(g_bare));
    if (!g_nextPhoto.empty())
        std::printf("next photo, %dx%d JPEGs: %.1f ms median\n", kPreviewPhotoSize.width(), kPreviewPhotoSize.height(),
                    1e3 * Median(g_nextPhoto));
    g_page.reset();
    WallPaperManager::StaticDestroy();
    return 0;
}
