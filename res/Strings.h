// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The string table: the text of a string resource in the user's language,
// empty for an unknown id.
QString LoadResString(int id);
