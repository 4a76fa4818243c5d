// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// One worker thread that runs jobs one after another, away from the thread
// that owns the worker (the window's), and hands each job's outcome back to
// the owner's thread through its event loop. What a job says through Warning
// is written on the owner's thread too, just before its outcome arrives.

#include <QObject>
#include <QThread>
#include <QThreadPool>

#include <functional>
#include <memory>

class SerialWorker {
public:
    // The creating thread is the owner.
    SerialWorker();
    // Waits for the job under way; outcomes not yet delivered are dropped.
    ~SerialWorker();
    SerialWorker(const SerialWorker&) = delete;
    SerialWorker& operator=(const SerialWorker&) = delete;

    // Queues work for the worker thread; deliver then runs on the owner's
    // thread (owner's thread only).
    void Run(std::function<void()> work, std::function<void()> deliver);

    // Jobs started and not yet delivered (owner's thread only).
    int Pending() const { return m_pending; }

    // Runs fn on the owner's thread: now when called there, else through
    // the owner's event loop, after what was posted there before it; dropped
    // if the worker goes first (any thread).
    void OnOwnerThread(std::function<void()> fn);

private:
    QThread* m_owner;
    QThreadPool m_pool;
    std::unique_ptr<QObject> m_receiver;
    int m_pending = 0;
};
