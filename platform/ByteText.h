// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Names and other bytes in no particular encoding, carried as text without
// losing anything: valid UTF-8 becomes its characters; every byte that is not
// part of valid UTF-8 becomes the lone surrogate U+DC00 + byte, which
// BytesFromText turns back into that byte.

#include <QByteArray>
#include <QString>

QString TextFromBytes(const QByteArray& bytes);
QByteArray BytesFromText(const QString& text);
