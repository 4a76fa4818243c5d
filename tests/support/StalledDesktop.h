// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A desktop that does not answer until the test lets it (a stand-in for a
// desktop shell that hangs), and a probe of how quickly the calling thread's
// event loop answers meanwhile. Window-free: core tests and page tests share it.

#include "desktop/DesktopBackend.h"
#include "desktop/DesktopMessages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMutex>
#include <QSemaphore>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <vector>

class StalledDesktop final : public DesktopBackend {
public:
    struct State {
        QSemaphore entered;
        QSemaphore release;
        std::atomic<int> calls{0};
        std::atomic<bool> gaveUp{false};
        bool succeed = true;
    };
    // Any wait longer than this means the test itself is stuck: the desktop
    // then gives up, and says so, rather than hang the test program.
    static constexpr int kGiveUpMs = 20000;

    explicit StalledDesktop(State* state) : m_state(state) {}
    QString Name() const override { return QStringLiteral("stalled"); }
    bool DecodesPicture() const override { return true; }
    bool SetWallpaper(const QString&, WallpaperStyle) override
    {
        ++m_state->calls;
        m_state->entered.release();
        if (!m_state->release.tryAcquire(1, kGiveUpMs)) {
            m_state->gaveUp = true;
            return false;
        }
        if (!m_state->succeed)
            WarnUnchanged(QStringLiteral("the stalled desktop said no"));
        return m_state->succeed;
    }

private:
    State* m_state;
};

// The median time, in milliseconds, the current thread's event loop takes to
// run a zero-time timer, over `pings` of them one after another.
inline double MedianEventLoopAnswerMs(int pings)
{
    std::vector<double> answers;
    for (int i = 0; i < pings; ++i) {
        QElapsedTimer clock;
        QEventLoop loop;
        clock.start();
        QTimer::singleShot(0, &loop, [&] {
            answers.push_back(clock.nsecsElapsed() / 1e6);
            loop.quit();
        });
        // A safety net so a stalled loop fails the test instead of hanging it.
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        if (answers.size() != static_cast<size_t>(i + 1))
            answers.push_back(5000);
    }
    std::sort(answers.begin(), answers.end());
    return answers[answers.size() / 2];
}
