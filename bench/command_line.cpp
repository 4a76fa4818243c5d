// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The command line as a user's scripts run it, on the plain X11 desktop:
//
// - `quilvane --set` of a 6000x4000 JPEG, stretched on a 1920x1080 root: the
//   whole process against the same change made in this process (the ratio
//   is what starting a program costs on top of the change);
// - `quilvane --restore` with nothing to restore: the whole process, which
//   runs at every login (target: under 100 ms);
// - a windowless slide show over 24-megapixel JPEGs, its ticks driven
//   back to back through SlideShowRunner::Tick: the resident memory after
//   each tick, when the show waits for the next (target: under 40 MB), and
//   its growth from tick 50 to the last (target: under 1 MB).
//
// Needs an X server in $DISPLAY with a 1920x1080 root, e.g.
//   Xvfb :57 -screen 0 1920x1080x24 & DISPLAY=:57 bench_command_line
// Without one it measures nothing. QUILVANE_BENCH_TICKS and
// QUILVANE_BENCH_PHOTOS change the counts; exit status 1 when a target is
// missed.

#include "BenchTiming.h"
#include "PeakMemory.h"
#include "PhotoLikeImage.h"
#include "core/RegConfig.h"
#include "core/SlideShowManager.h"
#include "core/WallPaperManager.h"
#include "session/SlideShowRunner.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr QSize kPhotoSize(6000, 4000);

// One whole run of the program; its wall time, or a negative number when
// it failed.
double RunProgram(const QStringList& arguments, const QProcessEnvironment& env)
{
    QProcess program;
    program.setProcessEnvironment(env);
    const auto start = std::chrono::steady_clock::now();
    program.start(QStringLiteral(QUILVANE_APP_BINARY), arguments);
    if (!program.waitForFinished(60000) || program.exitStatus() != QProcess::NormalExit || program.exitCode() != 0) {
        std::fprintf(stderr, "%s\n", program.readAllStandardError().constData());
        return -1;
    }
    return Seconds(start);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::printf("command line: no X display in DISPLAY, nothing measured\n");
        return 0;
    }
    qputenv("QUILVANE_DESKTOP", "x11");
    QTemporaryDir config;
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    QGuiApplication app(argc, argv); // no widget, as the commands run
    const int ticks = qEnvironmentVariableIntValue("QUILVANE_BENCH_TICKS") > 0
                          ? qEnvironmentVariableIntValue("QUILVANE_BENCH_TICKS")
                          : 1000;
    const int photos = qEnvironmentVariableIntValue("QUILVANE_BENCH_PHOTOS") > 0
                           ? qEnvironmentVariableIntValue("QUILVANE_BENCH_PHOTOS")
                           : 10;
    bool targetsMet = true;

    QTemporaryDir dir;
    QStringList paths;
    for (int i = 0; i < photos; ++i) {
        paths << dir.filePath(QStringLiteral("photo %1.jpg").arg(i));
        if (!WriteBlockPhotoJpeg(paths.last(), kPhotoSize, i)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(paths.last()));
            return 1;
        }
    }

    // --set: the whole process against the same change in this process.
    RegConfig::StaticCreate();
    SlideShowManager::StaticCreate();
    WallPaperManager::StaticCreate();
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    std::vector<double> whole;
    std::vector<double> inProcess;
    for (int i = 0; i < 5; ++i) {
        const double w = RunProgram({"--set", paths[0], "--mode", "stretch"}, env);
        const auto start = std::chrono::steady_clock::now();
        const bool shown =
            WallPaperManager::GetInstance()->ApplyWallPaper(paths[0], 2) == WallPaperManager::Result::Shown;
        const double p = Seconds(start);
        if (w < 0 || !shown) {
            std::fprintf(stderr, "the picture could not be set\n");
            return 1;
        }
        whole.push_back(w);
        inProcess.push_back(p);
    }
    std::printf("--set of a %dx%d JPEG, stretched: whole process %.0f ms, the same call in process %.0f ms, "
                "ratio %.2f (medians of 5)\n",
                kPhotoSize.width(), kPhotoSize.height(), Median(whole) * 1e3, Median(inProcess) * 1e3,
                Median(whole) / Median(inProcess));

    // --restore with nothing to restore.
    QTemporaryDir emptyConfig;
    QProcessEnvironment fresh = env;
    fresh.insert("XDG_CONFIG_HOME", emptyConfig.path());
    std::vector<double> restore;
    for (int i = 0; i < 11; ++i) {
        const double w = RunProgram({"--restore"}, fresh);
        if (w < 0)
            return 1;
        restore.push_back(w);
    }
    const double restoreMs = Median(restore) * 1e3;
    std::printf("--restore with nothing to restore: whole process %.1f ms (median of 11; target < 100 ms)\n",
                restoreMs);
    targetsMet = targetsMet && restoreMs < 100;

    // A windowless show, ticks back to back.
    SlideShowRecord show;
    show.entries = paths;
    show.periodMs = 3600 * 1000; // the ticks below come from here, not the timer
    SlideShowRunner runner;
    runner.Play(show);
    long at50 = 0;
    long highest = 0;
    long highestAfter50 = 0;
    std::vector<double> times;
    for (int i = 0; i < ticks; ++i) {
        const auto start = std::chrono::steady_clock::now();
        runner.Tick();
        times.push_back(Seconds(start));
        const long rss = StatusKb("VmRSS:");
        highest = std::max(highest, rss);
        if (i + 1 == std::min(50, ticks))
            at50 = rss;
        if (i + 1 > 50)
            highestAfter50 = std::max(highestAfter50, rss);
    }
    const long atEnd = StatusKb("VmRSS:");
    runner.Stop();
    const double growthMb = (std::max(atEnd, highestAfter50) - at50) / 1024.0;
    std::printf("%d ticks over %d photos of 24 megapixels, centred: median %.0f ms per tick; resident memory "
                "between ticks at most %.1f MB (target < 40 MB), after tick 50 %.1f MB, at most %.1f MB later, "
                "growth %.2f MB (target < 1 MB)\n",
                ticks, photos, Median(times) * 1e3, highest / 1024.0, at50 / 1024.0, highestAfter50 / 1024.0, growthMb);
    targetsMet = targetsMet && highest / 1024.0 < 40 && growthMb < 1;

    WallPaperManager::StaticDestroy();
    SlideShowManager::StaticDestroy();
    RegConfig::StaticDestroy();
    std::printf(targetsMet ? "command line: every target met\n" : "command line: a target was missed\n");
    return targetsMet ? 0 : 1;
}
