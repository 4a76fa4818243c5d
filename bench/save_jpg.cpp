// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Saving a 3840x2160 wallpaper with 12 photos from 6000x4000 JPEGs: the time
// SaveToJPG takes, the process's peak memory while it runs, and how much
// memory adding the 12 photos costs the process (the scene keeps no
// full-size copy of any photo: a full-size decode alone is 96 MB each).
// Memory figures come from the kernel (resident set, and its high-water mark
// reset just before saving), so they include everything Qt and libjpeg
// allocate.

#include "BenchScene.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#ifdef __linux__
#include <malloc.h>
#include <unistd.h>
#endif

namespace {

constexpr QSize kPhotoSize(6000, 4000);
constexpr QSize kBackgroundSize(3840, 2160);
constexpr int kPhotos = 12;
constexpr int kDistinctFiles = 4;

// Resident memory now, in MB; 0 where the kernel does not tell.
double ResidentMB()
{
#ifdef __linux__
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    if (!(statm >> pages >> resident))
        return 0;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
#else
    return 0;
#endif
}

// The resident set's high-water mark, in MB.
double PeakMB()
{
#ifdef __linux__
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long kb = 0;
            status >> kb;
            return static_cast<double>(kb) / 1024.0;
        }
        status.ignore(1 << 16, '\n');
    }
#endif
    return 0;
}

// Starts a fresh high-water mark (Linux 4.0 and later); false when refused.
bool ResetPeak()
{
#ifdef __linux__
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
#else
    return false;
#endif
}

// Hands freed memory back to the kernel so the resident set shows what is
// held, not what the allocator keeps around.
void Trim()
{
#ifdef __linux__
    malloc_trim(0);
#endif
}

struct Figures {
    double photosAddedMB = 0;
    double residentBeforeSaveMB = 0;
    double peakDuringSaveMB = 0;
    double saveSeconds = 0;
    qint64 fileBytes = 0;
    bool peakKnown = false;
} g_figures;

QString g_output;

bool BuildScene()
{
    static BenchScene bench(kPhotoSize, kDistinctFiles, kBackgroundSize, QSize(640, 500));
    if (!bench.ok)
        return false;
    g_output = bench.dir.filePath("out/wallpaper.jpg");

    Trim();
    const double before = ResidentMB();
    if (!bench.AddPhotos(kPhotos))
        return false;
    Trim();
    g_figures.photosAddedMB = ResidentMB() - before;
    return true;
}

void BM_SaveToJpg(benchmark::State& state)
{
    static const bool built = BuildScene();
    if (!built) {
        state.SkipWithError("scene set-up failed");
        return;
    }
    SceneGraph* scene = SceneGraph::GetInstance();
    Trim();
    g_figures.residentBeforeSaveMB = ResidentMB();
    g_figures.peakKnown = ResetPeak();
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!scene->SaveToJPG(g_output)) {
            state.SkipWithError("SaveToJPG failed");
            return;
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    g_figures.peakDuringSaveMB = PeakMB();
    g_figures.saveSeconds = seconds / static_cast<double>(state.iterations());
    g_figures.fileBytes = QFileInfo(g_output).size();
}

BENCHMARK(BM_SaveToJpg)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    if (g_figures.saveSeconds > 0) {
        std::printf("SaveToJPG of a %dx%d scene with %d photos from %dx%d JPEGs: %.0f ms, %.1f MB file\n",
                    kBackgroundSize.width(), kBackgroundSize.height(), kPhotos, kPhotoSize.width(), kPhotoSize.height(),
                    g_figures.saveSeconds * 1e3, static_cast<double>(g_figures.fileBytes) / (1024.0 * 1024.0));
        std::printf("adding the %d photos added %.1f MB to the process (a single full-size decode is %.0f MB)\n",
                    kPhotos, g_figures.photosAddedMB,
                    static_cast<double>(kPhotoSize.width()) * kPhotoSize.height() * 4 / (1024.0 * 1024.0));
        if (g_figures.peakKnown)
            std::printf("resident before saving %.1f MB, peak while saving %.1f MB (+%.1f MB)\n",
                        g_figures.residentBeforeSaveMB, g_figures.peakDuringSaveMB,
                        g_figures.peakDuringSaveMB - g_figures.residentBeforeSaveMB);
        else
            std::printf("peak memory while saving: not available (the kernel refused to reset it)\n");
    }
    DestroyScene();
    benchmark::Shutdown();
    return 0;
}
