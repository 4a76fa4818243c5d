// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The small files under tests/data, each named after what it tests (see
// tests/data/README.md).

#include <QString>

// The path of a file under tests/data; name is relative to that folder.
inline QString TestData(const QString& name)
{
    return QStringLiteral(QUILVANE_TEST_DATA "/") + name;
}
