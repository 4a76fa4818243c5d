// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the file-reading fuzzers share: a failed check that stops the run, and
// one scratch file per process into which each input is written.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

// Ends the run with the fuzzer's name and what went wrong.
inline void FuzzCheck(bool ok, const char* fuzzer, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "%s: %s\n", fuzzer, what);
        std::abort();
    }
}

// The plainest reading of one line from bytes in memory, for the fuzzers to
// compare a reader with: at most max characters from pos, a CR LF taken as
// one LF, ending after the first LF. False when nothing is left.
inline bool MemoryLine(const QByteArray& bytes, qint64& pos, qsizetype max, QByteArray& line)
{
    line.clear();
    while (line.size() < max && pos < bytes.size()) {
        char c = bytes[pos++];
        if (c == '\r' && pos < bytes.size() && bytes[pos] == '\n') {
            ++pos;
            c = '\n';
        }
        line.append(c);
        if (c == '\n')
            break;
    }
    return !line.isEmpty();
}

// A file in the temporary folder named after the fuzzer and the process,
// removed when the process ends.
class FuzzScratchFile {
public:
    FuzzScratchFile(const char* fuzzer, const char* extension)
        : m_path(QDir::tempPath() + QStringLiteral("/%1_%2.%3")
                                        .arg(QLatin1String(fuzzer))
                                        .arg(static_cast<qint64>(::getpid()))
                                        .arg(QLatin1String(extension)))
    {
    }
    ~FuzzScratchFile() { QFile::remove(m_path); }

    const QString& Path() const { return m_path; }

    // Replaces the file's content; false when it cannot be written.
    bool Write(const QByteArray& bytes) const
    {
        QFile out(m_path);
        return out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(bytes) == bytes.size();
    }

private:
    QString m_path;
};
