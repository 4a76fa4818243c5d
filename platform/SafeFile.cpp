// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Big enough that a photo is read in a few dozen calls, small enough to sit
// on the stack of no one.
constexpr qint64 kChunk = qint64{1} << 20;

#ifndef _WIN32
FileRefusal RefusalOfErrno(int error)
{
    return error == ENOENT || error == ENOTDIR || error == ELOOP ? FileRefusal::Missing : FileRefusal::Unreadable;
}
#endif

} // namespace

QString RefusalText(FileRefusal refusal)
{
    switch (refusal) {
    case FileRefusal::None:
        return QStringLiteral("was read");
    case FileRefusal::Missing:
        return QStringLiteral("does not exist");
    case FileRefusal::NotRegular:
        return QStringLiteral("is not a regular file");
    case FileRefusal::TooLarge:
        return QStringLiteral("is too large");
    case FileRefusal::Unreadable:
        break;
    }
    return QStringLiteral("cannot be read");
}

std::unique_ptr<QFile> OpenRegularFile(const QString& path, FileRefusal* refusal)
{
    FileRefusal dummy = FileRefusal::None;
    FileRefusal& why = refusal ? *refusal : dummy;
    why = FileRefusal::None;
    auto file = std::make_unique<QFile>(path);
#ifdef _WIN32
    // Windows has no FIFOs in the file system; devices and pipes are told
    // apart from disk files on the open handle.
    const QFileInfo info(path);
    if (!info.exists()) {
        why = FileRefusal::Missing;
        return nullptr;
    }
    if (!info.isFile()) {
        why = FileRefusal::NotRegular;
        return nullptr;
    }
    if (!file->open(QIODevice::ReadOnly)) {
        why = FileRefusal::Unreadable;
        return nullptr;
    }
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(file->handle()));
    if (handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_DISK) {
        why = FileRefusal::NotRegular;
        return nullptr;
    }
    return file;
#else
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a
    // writer. O_NOCTTY: a terminal device must not become ours.
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        why = RefusalOfErrno(errno);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        why = FileRefusal::NotRegular;
        return nullptr;
    }
    // Back to ordinary blocking reads for the regular file it turned out to be.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        why = FileRefusal::Unreadable;
        return nullptr;
    }
    return file;
#endif
}

FileRefusal RegularFileRefusal(const QString& path)
{
#ifdef _WIN32
    const QFileInfo info(path);
    if (!info.exists())
        return FileRefusal::Missing;
    if (!info.isFile())
        return FileRefusal::NotRegular;
    return info.isReadable() ? FileRefusal::None : FileRefusal::Unreadable;
#else
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return RefusalOfErrno(errno);
    if (!S_ISREG(st.st_mode))
        return FileRefusal::NotRegular;
    return ::access(name.constData(), R_OK) == 0 ? FileRefusal::None : FileRefusal::Unreadable;
#endif
}

FileRefusal ReadCapped(QFile& file, qint64 maxBytes, QByteArray* out)
{
    out->clear();
    QByteArray bytes;
    // One byte beyond the cap tells a file of exactly maxBytes from a longer one.
    const qint64 want = maxBytes + 1;
    for (;;) {
        const qint64 room = std::min(kChunk, want - bytes.size());
        if (room <= 0)
            return FileRefusal::TooLarge;
        const qsizetype before = bytes.size();
        bytes.resize(before + room);
        const qint64 n = file.read(bytes.data() + before, room);
        if (n < 0)
            return FileRefusal::Unreadable;
        bytes.resize(before + n);
        if (n == 0)
            break;
    }
    *out = std::move(bytes);
    return FileRefusal::None;
}

FileRefusal ReadRegularFile(const QString& path, qint64 maxBytes, QByteArray* out)
{
    out->clear();
    FileRefusal refusal = FileRefusal::None;
    const std::unique_ptr<QFile> file = OpenRegularFile(path, &refusal);
    if (!file)
        return refusal;
    return ReadCapped(*file, maxBytes, out);
}

namespace {

bool SomethingAt(const QString& path)
{
    // A dangling link is something too: QFileInfo::exists follows links.
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// A plain rename: it moves a link itself, never what it points to, and works
// for directories and FIFOs alike.
bool RenameEntry(const QString& from, const QString& to)
{
#ifdef _WIN32
    return QDir().rename(from, to);
#else
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

} // namespace

QString KeepRefusedFile(const QString& path, QString* error)
{
    if (!SomethingAt(path))
        return {};
    QString kept = path + QStringLiteral(".refused");
    for (int n = 2; SomethingAt(kept); ++n)
        kept = path + QStringLiteral(".refused-%1").arg(n);
    if (!RenameEntry(path, kept)) {
        if (error)
            *error = QStringLiteral("cannot move it to %1").arg(kept);
        return {};
    }
    return kept;
}
