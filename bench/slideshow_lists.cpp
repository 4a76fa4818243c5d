// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The slide-show page with large lists: FillFileList over a folder of 10,000
// pictures, and "Open List" of a list file of 10,000 entries, each through the
// real page on the offscreen platform. Each is set against the bare work it
// cannot avoid, measured in the same iteration: listing the folder's names,
// and reading the list file's lines.

#include "BenchTiming.h"
#include "core/SlideShowManager.h"
#include "core/WallPaperManager.h"
#include "res/Resource.h"
#include "slideshow/SetWallpaperDlg.h"
#include "support/SlideShowPageControls.h"
#include "widgets/FilePrompts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kCount = 10000;

// 10,000 picture files of all six types; the first one listed is a real
// picture (it is previewed), the others are empty, as only names are listed.
struct Folder {
    QTemporaryDir dir;
    QString list;
    Folder()
    {
        const char* const types[] = {"bmp", "jpg", "jpeg", "gif", "dib", "png"};
        QImage(640, 480, QImage::Format_RGB32).save(dir.filePath("a000000.bmp"), "BMP");
        QByteArray entries = QByteArray::number(kCount) + "\r\n";
        for (int i = 0; i < kCount; ++i) {
            const QString name = QStringLiteral("%1%2.%3")
                                     .arg(QChar(u'a' + i % 26))
                                     .arg(i, 6, 10, QChar(u'0'))
                                     .arg(QLatin1String(types[i % 6]));
            if (i > 0) {
                QFile f(dir.filePath(name));
                f.open(QIODevice::WriteOnly);
            }
            entries += QFile::encodeName(dir.filePath(i > 0 ? name : QStringLiteral("a000000.bmp"))) + "\r\n";
        }
        list = dir.filePath("slides.lsl");
        QFile f(list);
        f.open(QIODevice::WriteOnly);
        f.write(entries);
    }
};

Folder& TheFolder()
{
    static Folder folder;
    return folder;
}

std::vector<double> g_fill, g_listing, g_open, g_read;

void BM_FillFileList(benchmark::State& state)
{
    CSetWallpaperDlg page;
    page.Create();
    const QString folder = TheFolder().dir.path() + u'/';
    // The folder comes as "Browse" chooses it, which lists it.
    SetFilePromptHook([](const FilePrompt&) { return std::optional<QString>(TheFolder().dir.path()); });
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        page.OnCmdMsg(IDC_BROWSE_FOLDER);
        g_fill.push_back(Seconds(start));
        if (SlideShowControls::Files(&page).GetCount() != kCount)
            state.SkipWithError("the file list is not complete");

        start = std::chrono::steady_clock::now();
        const QStringList names = QDir(folder).entryList(QDir::Files, QDir::NoSort);
        g_listing.push_back(Seconds(start));
        benchmark::DoNotOptimize(names.size());
    }
    SetFilePromptHook({});
}

void BM_OpenList(benchmark::State& state)
{
    CSetWallpaperDlg page;
    page.Create();
    SetFilePromptHook([](const FilePrompt&) { return std::optional<QString>(TheFolder().list); });
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        page.OnCmdMsg(IDC_OPEN_LIST);
        g_open.push_back(Seconds(start));
        if (SlideShowControls::Slides(&page).GetCount() != kCount)
            state.SkipWithError("the slide list is not complete");

        start = std::chrono::steady_clock::now();
        QFile f(TheFolder().list);
        f.open(QIODevice::ReadOnly);
        const QList<QByteArray> lines = f.readAll().split('\n');
        g_read.push_back(Seconds(start));
        benchmark::DoNotOptimize(lines.size());
    }
    SetFilePromptHook({});
}

BENCHMARK(BM_FillFileList)->Iterations(15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenList)->Iterations(15)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    WallPaperManager::StaticCreate();
    SlideShowManager::StaticCreate();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TheFolder();
    benchmark::RunSpecifiedBenchmarks();
    const double fill = Median(g_fill), listing = Median(g_listing);
    const double open = Median(g_open), read = Median(g_read);
    if (fill > 0 && listing > 0)
        std::printf("FillFileList, %d pictures: %.1f ms median (target 200 ms); bare folder listing %.1f ms; "
                    "ratio %.1f\n",
                    kCount, fill * 1e3, listing * 1e3, fill / listing);
    if (open > 0 && read > 0)
        std::printf("Open List, %d entries: %.1f ms median (target 200 ms); bare read and split %.1f ms; "
                    "ratio %.1f\n",
                    kCount, open * 1e3, read * 1e3, open / read);
    SlideShowManager::StaticDestroy();
    WallPaperManager::StaticDestroy();
    benchmark::Shutdown();
    return 0;
}
