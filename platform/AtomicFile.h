// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes to path through a temporary file beside it, renamed over the
// target only after every byte reached the disk. Any failure (no folder, no
// space, a file-size limit) leaves an existing file exactly as it was and
// returns false with the reason in *error.
//
// QSaveFile alone is not enough: with its buffered writes a short write at
// flush time (a full disk) can still be committed, truncating the file.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);
