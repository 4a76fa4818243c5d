// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Reading the Tip of the Day file, free of window code.
//
// The file holds one tip per line. A line that starts with a space, a tab, a
// line feed (an empty line) or ';' is skipped, so blank, indented and comment
// lines never show. A line longer than kMaxTipLength characters arrives in
// parts of that length, each part treated as a line of its own. After the
// last line the reader starts again at the top, so the tips repeat.
//
// Positions are real byte offsets in the file on disk. The file is read as
// bytes and CR LF is turned into LF while reading, so a file written on
// Windows reads like one written here, the CR never becomes part of a tip,
// and a stored offset taken from QIODevice::pos() seeks back to exactly the
// place it was taken from. (Text-mode stdio on Windows reports the same real
// offsets from ftell, so stored positions mean the same on both systems.) A
// CR LF counts as the one character it stands for towards kMaxTipLength.

#include <QByteArray>
#include <QDateTime>
#include <QString>

class QFileDevice;
class QIODevice;

inline constexpr int kMaxTipLength = 999;
// How far one ReadNextTip reads at most, skipped lines included: a huge file
// of comments must not freeze the window that asked for a tip.
inline constexpr qint64 kMaxTipScanBytes = qint64{1} << 20;

enum class TipReadResult {
    Tip,          // the next tip was read
    NoTip,        // a whole pass over the file found no tip line
    RewindFailed, // the end of the file was reached and going back to the top failed
};

// Reads from the device's current position to the next tip; on Tip, `tip`
// holds the line as read, with its line end ("\n") when it had one, cut at
// the first NUL byte. The device is left just after the tip, which is the
// position to remember. Reading is bounded: it gives up with NoTip when it
// has gone back to the top once and reached the end again without a tip, and
// with RewindFailed when going back to the top fails; in both cases `tip`
// is empty. It also gives up with NoTip after kMaxTipScanBytes of skipped
// lines, leaving the device where it stopped, so the next call goes on
// from there.
TipReadResult ReadNextTip(QIODevice& device, QByteArray& tip);

// The tips file is in English. Its tips are translated like the program's
// other texts, in the "Tips" context, with the tip's text (without its line
// end) as the source text: the tip in the user's language, its line end kept,
// or the tip as the file has it where there is no translation (a tip the
// user wrote, a file of another version).
inline constexpr char kTipsContext[] = "Tips";
QString TranslateTip(const QString& tip);

// The path given to SetTipsFilePath; otherwise "Tips.tip" in the directory of
// the running executable when there is anything of that name, else in the
// first place of the shared data that has one (platform/DataFiles.h). With
// no tips file anywhere, the one beside the executable: its absence is what
// the Tip of the Day reports.
QString TipsFilePath();
// Points the Tip of the Day at another file (tests); empty restores the
// default. Returns the path set before, empty for the default.
QString SetTipsFilePath(const QString& path);

// A local time the way C's ctime prints it, without the line feed:
// "Mon Dec  7 06:48:22 2026" (always English names, day padded to two places).
QString CtimeText(const QDateTime& local);

// The tips file's creation time as CtimeText gives it. Where the system keeps
// no creation time for the open file (many Linux file systems), its
// modification time stands in; *isBirthTime tells which one was used.
QString TipsFileTimeStamp(const QFileDevice& file, bool* isBirthTime = nullptr);
