// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The application's private profile: an INI file named after the executable
// in the user's config folder (for example ~/.config/quilvane.ini). Every
// write reaches the disk before the call returns, so a value written is kept
// even if the program ends right after. The file is read like every other
// file from outside: only a regular file, and only up to a size no profile of
// ours reaches; anything else reads as an empty profile, and the first write
// keeps it beside the new file as "<name>.ini.refused". Keys other versions
// wrote are kept.

#include <QString>

// The profile file in use.
QString ProfilePath();
// Points the profile at another file (tests); an empty path restores the
// default. Returns the path set before, empty for the default.
QString SetProfilePath(const QString& path);

int GetProfileInt(const QString& section, const QString& key, int defaultValue);
QString GetProfileString(const QString& section, const QString& key, const QString& defaultValue = {});
bool WriteProfileInt(const QString& section, const QString& key, int value);
bool WriteProfileString(const QString& section, const QString& key, const QString& value);
