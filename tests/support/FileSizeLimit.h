// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Makes writes past a few bytes fail for the life of the object: the way to
// make a save fail in a test that runs as root, which ignores permissions but
// not the file-size limit. SIGXFSZ is ignored meanwhile, so the write returns
// an error instead of ending the process.

#include <csignal>
#include <sys/resource.h>

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit tiny = m_old;
        tiny.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &tiny) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return m_active; }

private:
    struct rlimit m_old {};
    void (*m_previousHandler)(int) = nullptr;
    bool m_active = false;
};
