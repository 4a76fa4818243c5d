// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/SerialWorker.h"

#include "platform/Warning.h"

#include <QMetaObject>

SerialWorker::SerialWorker() : m_owner(QThread::currentThread()), m_receiver(std::make_unique<QObject>())
{
    m_pool.setMaxThreadCount(1);
}

SerialWorker::~SerialWorker()
{
    m_pool.waitForDone();
}

void SerialWorker::Run(std::function<void()> work, std::function<void()> deliver)
{
    ++m_pending;
    m_pool.start([this, work = std::move(work), deliver = std::move(deliver)]() mutable {
        WarningCapture capture;
        work();
        // Queued to an object of ours: if the worker is destroyed first, the
        // delivery goes with it.
        QMetaObject::invokeMethod(
            m_receiver.get(),
            [this, messages = capture.Take(), deliver = std::move(deliver)] {
                --m_pending;
                WarnAll(messages);
                deliver();
            },
            Qt::QueuedConnection);
    });
}

void SerialWorker::OnOwnerThread(std::function<void()> fn)
{
    if (QThread::currentThread() == m_owner)
        fn();
    else
        QMetaObject::invokeMethod(m_receiver.get(), std::move(fn), Qt::QueuedConnection);
}
