// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Time and peak memory of one operation: the kernel's high-water mark is
// reset before it (clear_refs 5), so the peak belongs to that operation
// alone. Linux only.

#include <QByteArray>
#include <QFile>

#include <chrono>
#include <cstring>
#include <malloc.h>

inline long StatusKb(const char* key)
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(std::strlen(key))).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

struct Measure {
    double seconds = 0;
    double peakMB = 0; // the most memory above what was in use before
    bool ok = false;
};

// Runs one change; the kernel's high-water mark is reset first
// (clear_refs 5), so the peak belongs to this change alone, and free heap is
// handed back first, so memory the allocator kept from the previous change
// is not reused unseen.
template <typename Change> inline Measure Run(Change change)
{
    malloc_trim(0);
    QFile clear("/proc/self/clear_refs");
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    clear.close();
    const long before = StatusKb("VmRSS:");
    const auto start = std::chrono::steady_clock::now();
    Measure m;
    m.ok = change();
    m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    m.peakMB = double(StatusKb("VmHWM:") - before) / 1024.0;
    return m;
}
