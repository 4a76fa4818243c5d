// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/SideBySide.h"

#include <QThreadPool>

#include <atomic>
#include <gtest/gtest.h>
#include <vector>

TEST(SideBySideTest, RunsEveryJobOnceWhetherThePoolIsFreeOrBusy)
{
    const int threads = QThreadPool::globalInstance()->maxThreadCount();
    for (const int poolThreads : {std::max(threads, 2), 0})
        for (const int count : {0, 1, 7, 40}) {
            SCOPED_TRACE(testing::Message() << count << " jobs, pool of " << poolThreads);
            QThreadPool::globalInstance()->setMaxThreadCount(poolThreads);
            std::vector<std::atomic<int>> runs(static_cast<size_t>(count));
            RunSideBySide(count, [&](int i) { ++runs[static_cast<size_t>(i)]; });
            QThreadPool::globalInstance()->setMaxThreadCount(threads);
            for (int i = 0; i < count; ++i)
                EXPECT_EQ(runs[static_cast<size_t>(i)], 1) << i;
        }
}
