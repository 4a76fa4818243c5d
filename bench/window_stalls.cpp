// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How long the window's event loop goes unanswered while the slide show runs:
// a 1-second show of 24-megapixel JPEGs on the plain X11 desktop, and the
// same show on a Plasma that never answers (a stand-in on a D-Bus of our
// own). A 1 ms timer on the window's thread notes each time it runs; a stall
// is how much later than its interval it ran. Reports the longest and the
// median stall of each case, with the change run in the background as the
// pages run it, and right on the window's thread as every change ran before.
//
// Needs an X server in $DISPLAY for the X11 case and dbus-daemon for the
// Plasma case; each is skipped with the reason without it.

#include "PhotoLikeImage.h"
#include "core/SlideShowManager.h"
#include "core/WallPaperManager.h"
#include "desktop/KdeBackend.h"
#include "support/PrivateBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int kShowMs = 6000;

void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "bench_window_stalls";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

const QStringList& Photos()
{
    static QTemporaryDir dir;
    static const QStringList photos = [] {
        QStringList out;
        for (int i = 0; i < 3; ++i) {
            const QString path = dir.filePath(QStringLiteral("photo%1.jpg").arg(i));
            if (WritePhotoLikeJpeg(path, QSize(6000, 4000), i))
                out << path;
        }
        return out;
    }();
    return photos;
}

// A Plasma shell that takes every script and never answers.
class SilentPlasma final : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection&) override
    {
        message.setDelayedReply(true);
        return true;
    }
};

struct Stalls {
    double longestMs = 0;
    double medianMs = 0;
    int ticks = 0;
    int changes = 0;
};

// Runs the show for kShowMs with 1-second ticks on this thread's event loop,
// each tick changing the desktop in the background as the page does, or, for
// comparison, right on this thread as a caller without a window does.
Stalls RunShow(bool background)
{
    SlideShowManager* show = SlideShowManager::GetInstance();
    show->OnStartTimer([] { return Photos(); }, false, 2);
    Stalls result;
    std::vector<double> stalls;
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.nsecsElapsed();
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        stalls.push_back(std::max(0.0, (now - last) / 1e6 - 1.0));
        last = now;
    });
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        ++result.ticks;
        if (!background) {
            show->OnChangeWallpaper();
            ++result.changes;
        } else if (show->OnChangeWallpaperInBackground()) {
            ++result.changes;
        }
    });
    probe.start(1);
    tick.start(1000);
    QTimer::singleShot(kShowMs, [] { QCoreApplication::exit(); });
    QCoreApplication::exec();
    probe.stop();
    tick.stop();
    show->OnEndTimer();
    std::sort(stalls.begin(), stalls.end());
    if (!stalls.empty()) {
        result.longestMs = stalls.back();
        result.medianMs = stalls[stalls.size() / 2];
    }
    return result;
}

void Report(benchmark::State& state, const Stalls& s)
{
    state.counters["longest_stall_ms"] = s.longestMs;
    state.counters["median_stall_ms"] = s.medianMs;
    state.counters["ticks"] = s.ticks;
    state.counters["changes_started"] = s.changes;
}

void BM_SlideShowOnX11(benchmark::State& state)
{
    const bool background = state.range(0) != 0;
    EnsureApplication();
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        state.SkipWithError("no X display in DISPLAY");
        return;
    }
    qputenv("QUILVANE_DESKTOP", "x11");
    if (Photos().size() != 3) {
        state.SkipWithError("cannot write the photos");
        return;
    }
    for (auto _ : state) {
        WallPaperManager::StaticCreate();
        SlideShowManager::StaticCreate();
        Report(state, RunShow(background));
        SlideShowManager::StaticDestroy();
        WallPaperManager::StaticDestroy();
    }
}

void BM_SlideShowOnASilentPlasma(benchmark::State& state)
{
    const bool background = state.range(0) != 0;
    EnsureApplication();
    PrivateBus bus;
    if (bus.Address().isEmpty()) {
        state.SkipWithError("dbus-daemon is needed");
        return;
    }
    QThread plasmaThread;
    SilentPlasma plasma;
    plasma.moveToThread(&plasmaThread);
    plasmaThread.start();
    QDBusConnection service = QDBusConnection::connectToBus(bus.Address(), QStringLiteral("silent-plasma"));
    if (!service.registerVirtualObject(QStringLiteral("/PlasmaShell"), &plasma) ||
        !service.registerService(QStringLiteral("org.kde.plasmashell"))) {
        state.SkipWithError("cannot stand in for Plasma");
        return;
    }
    for (auto _ : state) {
        WallPaperManager::StaticCreate();
        SlideShowManager::StaticCreate();
        WallPaperManager::GetInstance()->SetBackend(std::make_unique<KdeBackend>(bus.Address()));
        Report(state, RunShow(background));
        // Waits here, off the measured loop, for the change to give up.
        SlideShowManager::StaticDestroy();
        WallPaperManager::StaticDestroy();
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("silent-plasma"));
    plasmaThread.quit();
    plasmaThread.wait();
}

} // namespace

// Argument 1: the change in the background (the pages' way); 0: on the
// window's thread, as every change ran before.
BENCHMARK(BM_SlideShowOnX11)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SlideShowOnASilentPlasma)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
