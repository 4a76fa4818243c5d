// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Where Quilvane's own read-only data (the tips file, the background
// templates) is looked for, best place first:
//
//   1. beside the program: a copy that carries its data along keeps working,
//      and a tips file put there is the one the Tip of the Day reads;
//   2. share/quilvane/ beside the program's own bin/ folder: the build tree
//      lays its data out this way, and so does any installation prefix
//      (/usr, /usr/local, /opt/quilvane), whether or not the system's data
//      folders name it;
//   3. quilvane/ in each of the system's data folders (XDG_DATA_HOME, then
//      XDG_DATA_DIRS), through QStandardPaths.
//
// Nothing but the program goes into bin/ when installed; the first place is
// for copies and for people who put a file there on purpose.

#include <QString>
#include <QStringList>

// Every candidate path for `relative` ("Tips.tip", "templates"), in the order
// above, without duplicates. The places need not exist. Needs a
// QCoreApplication for the first two; without one only the third is listed.
QStringList DataFileCandidates(const QString& relative);

// The first candidate that exists as anything at all, even something that is
// not a regular file (the reader refuses that, and says so, instead of this
// quietly skipping to the next place). Empty when there is none.
QString FindDataFile(const QString& relative);
