// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/ModalRun.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <vector>

namespace {

struct Run {
    QPointer<QWidget> window;
    QEventLoop* loop;
};

std::vector<Run>& Runs()
{
    static std::vector<Run> runs;
    return runs;
}

bool g_quitPending = false;
int g_quitCode = 0;

} // namespace

int RunModalLoop(QWidget* window)
{
    if (!window || g_quitPending)
        return -1;
    QEventLoop loop;
    Runs().push_back({window, &loop});
    if (!window->isVisible())
        window->show();
    const int code = loop.exec(QEventLoop::DialogExec);
    for (auto it = Runs().end(); it != Runs().begin();) {
        --it;
        if (it->loop == &loop) {
            Runs().erase(it);
            break;
        }
    }
    // A quit ends every run, not just the innermost one.
    if (g_quitPending) {
        for (const Run& r : Runs())
            r.loop->exit(-1);
    }
    return code;
}

int RunMessageLoop()
{
    if (!g_quitPending) {
        // A run without a window: only the quit message ends it.
        QEventLoop loop;
        Runs().push_back({nullptr, &loop});
        loop.exec();
        Runs().pop_back();
    }
    return g_quitCode;
}

void EndModalLoop(QWidget* window, int code)
{
    if (!window)
        return;
    for (auto it = Runs().rbegin(); it != Runs().rend(); ++it) {
        if (it->window == window) {
            it->loop->exit(code);
            return;
        }
    }
}

bool IsInModalLoop(const QWidget* window)
{
    if (!window)
        return false;
    for (const Run& r : Runs()) {
        if (r.window == window)
            return true;
    }
    return false;
}

void PostQuit(int exitCode)
{
    QTimer::singleShot(0, QCoreApplication::instance(), [exitCode] {
        g_quitPending = true;
        g_quitCode = exitCode;
        for (auto it = Runs().rbegin(); it != Runs().rend(); ++it)
            it->loop->exit(-1);
    });
}

bool IsQuitPending()
{
    return g_quitPending;
}
int QuitExitCode()
{
    return g_quitCode;
}

void ResetQuitState()
{
    g_quitPending = false;
    g_quitCode = 0;
}
