// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Reading files that someone else made. Every file the program reads (photos,
// templates, settings, profile, tips, list files) comes through here, so that
// none of them can hang it or fill its memory:
//
// - Only regular files are opened. The check is made on the opened
//   descriptor, not on the name, so a name swapped for something else
//   between a check and the open changes nothing; and the open itself does
//   not block, so a FIFO named "photo.jpg" is refused at once instead of
//   waiting for a writer that never comes. Directories, devices (a link to
//   /dev/zero), sockets and FIFOs are all "not a regular file".
// - Reads stop at a cap on what was actually read, never on what the file
//   claims its size is: the size of a file can change while it is read.

#include <QByteArray>
#include <QString>

#include <memory>

class QFile;

enum class FileRefusal {
    None,       // opened / read
    Missing,    // nothing by that name (or a dangling link)
    NotRegular, // a directory, FIFO, device or socket
    TooLarge,   // more bytes than the reader's cap
    Unreadable, // no permission, an I/O error
};

// The refusal as a short phrase for a message ("is not a regular file").
QString RefusalText(FileRefusal refusal);

// Opens path read-only if it is a regular file; null otherwise, with the
// reason in *refusal. The QFile owns the descriptor and reads blocking as
// usual (a regular file never blocks); fileName() is path.
std::unique_ptr<QFile> OpenRegularFile(const QString& path, FileRefusal* refusal = nullptr);

// What OpenRegularFile would refuse path for, told from its metadata without
// opening it: a check before work is started, for a caller that does not
// read the file itself. The open that reads it still decides.
FileRefusal RegularFileRefusal(const QString& path);

// Reads from the file's current position to its end, at most maxBytes.
// TooLarge (and *out empty) when there is more; Unreadable on a read error.
FileRefusal ReadCapped(QFile& file, qint64 maxBytes, QByteArray* out);

// OpenRegularFile and ReadCapped in one.
FileRefusal ReadRegularFile(const QString& path, qint64 maxBytes, QByteArray* out);

// Moves whatever is at path (a refused file, a FIFO, a directory, a link) to
// the first free name of the form "<path>.refused", "<path>.refused-2", ...
// beside it, so that writing a fresh file at path destroys nothing. Returns
// the new name, or an empty string when nothing is at path or the move
// failed (then *error, if given, says why; nothing is at path is no error).
QString KeepRefusedFile(const QString& path, QString* error = nullptr);
