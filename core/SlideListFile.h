// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Slide-show list files (".lsl"), free of window code.
//
// A list file is a count line followed by one picture path per line:
//
//     2\r\n
//     /home/ann/Photos/beach.jpg\r\n
//     /home/ann/Photos/snow.bmp\r\n
//
// Paths are bytes as the file system has them, in no particular encoding.
//
// Reading follows the rules the format has always been read by: the file is
// read in chunks of at most 1023 characters, a chunk ending after the first
// line end, where CR LF and a lone LF both count as one line end (a CR not
// followed by LF is an ordinary character). The first chunk's leading decimal
// number, read as atoi reads it, is the count n; then each of the next n
// chunks is one entry (its text before the line end, cut at a NUL byte as a C
// string is), stopping early at the end of the file. So a line of 1023
// characters or more arrives as several entries, an empty line as an empty
// entry, and lines after the n-th are ignored.
//
// Writing produces lines the reader reads back unchanged: every line ends
// with CR LF, and an entry is written up to its first LF or NUL (neither can
// be part of a line) and to at most 1022 bytes, so the count always matches
// the entries a reader finds.

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

#include <optional>

class QIODevice;

inline constexpr int kListChunkLength = 1023;
inline constexpr int kMaxListLineLength = kListChunkLength - 1;
// However large a count a file claims, at most this many entries are read.
inline constexpr int kMaxListEntries = 100000;

struct SlideList {
    QByteArrayList entries;
    // The file asked for more entries than kMaxListEntries and had them.
    bool capped = false;
};

// The leading decimal integer of text as C's atoi reads it (white space
// skipped, an optional sign, digits up to the first other character, 0 when
// there is none), saturated at the limits of int instead of overflowing.
int LeadingInteger(QByteArrayView text);

// Reads a list from the device's current position.
SlideList ReadSlideList(QIODevice& device);
SlideList ParseSlideList(const QByteArray& bytes);

// The bytes of a list file holding these entries.
QByteArray FormatSlideList(const QByteArrayList& entries);
// What an entry becomes when it is written and read back.
QByteArray WritableEntry(const QByteArray& entry);

// Opens path as a regular file (a FIFO, device or folder is refused without
// blocking on it) and reads the list from it; nothing when it cannot be opened.
std::optional<SlideList> ReadSlideListFile(const QString& path);

// Writes the list through a temporary file renamed into place, so a failure
// (no space, no permission) leaves an existing file as it was.
bool WriteSlideListFile(const QString& path, const QByteArrayList& entries, QString* error = nullptr);

// A list box holds text; these convert between an entry's bytes and that text
// without losing anything. Valid UTF-8 becomes its characters; every byte
// that is not part of valid UTF-8 becomes the lone surrogate U+DC00 + byte,
// which EntryBytes turns back into that byte.
QString EntryText(const QByteArray& bytes);
QByteArray EntryBytes(const QString& text);
// Whether text holds such a byte (a name no file interface of Qt can open).
bool HasForeignBytes(const QString& text);
