// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Catches what the code under test writes to standard error, through a pipe
// rather than gtest's temporary file, so it still works while a test holds the
// file-size limit low (FileSizeLimit). Holds up to a pipe's buffer (64 KiB).

#include <QString>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

class StderrCapture {
public:
    StderrCapture()
    {
        std::fflush(stderr);
        if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
            return;
        m_saved = ::dup(STDERR_FILENO);
        ::dup2(m_pipe[1], STDERR_FILENO);
    }
    ~StderrCapture() { Take(); }
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    // Puts standard error back and returns everything written since.
    QString Take()
    {
        if (m_saved >= 0) {
            std::fflush(stderr);
            ::dup2(m_saved, STDERR_FILENO);
            ::close(m_saved);
            ::close(m_pipe[1]);
            m_saved = -1;
            char buffer[4096];
            ssize_t n;
            while ((n = ::read(m_pipe[0], buffer, sizeof buffer)) > 0)
                m_text.append(buffer, n);
            ::close(m_pipe[0]);
        }
        return QString::fromLocal8Bit(m_text);
    }

private:
    int m_pipe[2] = {-1, -1};
    int m_saved = -1;
    QByteArray m_text;
};
