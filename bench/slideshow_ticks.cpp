// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// 1,000 slide-show ticks over 100 photos of 24 megapixels (6000x4000 JPEGs,
// made at start), on the plain X11 desktop: the page's timer handler, the
// slide-show manager and the X11 back end, each tick putting the next photo on
// the root window centred. Reports the median time per tick, and how much the
// resident memory grows from tick 50 to the last (the first ticks settle the
// allocator and the caches). The ratio sets the median tick against decoding
// one of the photos at full size alone, measured in the same run.
//
// Needs an X server in $DISPLAY, e.g.
//   Xvfb :57 -screen 0 1920x1080x24 & DISPLAY=:57 bench_slideshow_ticks
// Without one it reports nothing. QUILVANE_BENCH_TICKS and
// QUILVANE_BENCH_PHOTOS change the counts.

#include "BenchTiming.h"
#include "PeakMemory.h"
#include "PhotoLikeImage.h"
#include "core/SlideShowManager.h"
#include "core/WallPaperManager.h"
#include "pictures/Picture.h"
#include "res/Resource.h"
#include "slideshow/SetWallpaperDlg.h"
#include "support/SlideShowPageControls.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <vector>

namespace {

constexpr QSize kPhotoSize(6000, 4000);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::printf("slide-show ticks: no X display in DISPLAY, nothing measured\n");
        return 0;
    }
    qputenv("QUILVANE_DESKTOP", "x11");
    QApplication app(argc, argv);
    const int ticks = qEnvironmentVariableIntValue("QUILVANE_BENCH_TICKS") > 0
                          ? qEnvironmentVariableIntValue("QUILVANE_BENCH_TICKS")
                          : 1000;
    const int photos = qEnvironmentVariableIntValue("QUILVANE_BENCH_PHOTOS") > 0
                           ? qEnvironmentVariableIntValue("QUILVANE_BENCH_PHOTOS")
                           : 100;

    QTemporaryDir dir;
    CSetWallpaperDlg page;
    page.Create();
    const auto made = std::chrono::steady_clock::now();
    for (int i = 0; i < photos; ++i) {
        const QString path = dir.filePath(QStringLiteral("photo%1.jpg").arg(i, 3, 10, QChar(u'0')));
        if (!WriteBlockPhotoJpeg(path, kPhotoSize, i)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        SlideShowControls::Slides(&page).AddString(path);
    }
    std::printf("%d photos of %dx%d made in %.0f s\n", photos, kPhotoSize.width(), kPhotoSize.height(), Seconds(made));

    WallPaperManager::StaticCreate();
    SlideShowManager::StaticCreate();
    SlideShowControls::Frequency(&page).setText(
        QStringLiteral("3600")); // the ticks below come from here, not the timer
    page.OnCmdMsg(IDC_PLAY_STOP);

    std::vector<double> times;
    long at50 = 0;
    for (int i = 0; i < ticks; ++i) {
        const auto start = std::chrono::steady_clock::now();
        // The change runs off the page's thread: a tick lasts until it has
        // reported back.
        SlideShowControls::Tick(&page);
        while (SlideShowManager::GetInstance()->IsChanging())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        times.push_back(Seconds(start));
        if (i + 1 == std::min(50, ticks)) {
            malloc_trim(0);
            at50 = StatusKb("VmRSS:");
        }
    }
    malloc_trim(0);
    const long atEnd = StatusKb("VmRSS:");
    page.OnCmdMsg(IDC_PLAY_STOP);

    // One full-size decode of a photo, for scale.
    const auto start = std::chrono::steady_clock::now();
    CxImage full;
    full.Load(SlideShowControls::Slides(&page).GetText(0), CXIMAGE_FORMAT_JPG);
    const double fullDecode = Seconds(start);

    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("%d ticks over %d photos, centred on the X11 root: median %.1f ms per tick (fastest %.1f, slowest "
                "%.1f); a full-size decode alone %.1f ms, ratio %.2f\n",
                ticks, photos, median * 1e3, times.front() * 1e3, times.back() * 1e3, fullDecode * 1e3,
                median / fullDecode);
    std::printf("resident memory after tick 50: %.1f MB, after tick %d: %.1f MB, growth %.2f MB (target < 5 MB)\n",
                at50 / 1024.0, ticks, atEnd / 1024.0, (atEnd - at50) / 1024.0);

    SlideShowManager::StaticDestroy();
    WallPaperManager::StaticDestroy();
    return 0;
}
