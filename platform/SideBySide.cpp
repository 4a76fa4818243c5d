// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/SideBySide.h"

#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>

void RunSideBySide(int count, const std::function<void(int)>& job)
{
    std::atomic<int> next{0};
    const auto work = [&] {
        for (int i = next++; i < count; i = next++)
            job(i);
    };
    QSemaphore finished;
    int helpers = 0;
    const int wanted = std::min(count, QThread::idealThreadCount()) - 1;
    while (helpers < wanted && QThreadPool::globalInstance()->tryStart([&] {
        work();
        finished.release();
    }))
        ++helpers;
    work();
    finished.acquire(helpers);
}
