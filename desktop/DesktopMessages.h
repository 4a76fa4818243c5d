// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The wording every desktop back end shares, written once. A back end that
// gives up says why and adds that nothing changed; file names in messages
// always go through Printable (platform/Warning.h) first.

#include <QString>

// Says "<why>; the wallpaper stays as it is" on standard error.
void WarnUnchanged(const QString& why);

// The name of a picture for a message: control and escape characters shown
// escaped, so a file name cannot drive the terminal.
QString PictureName(const QString& path);
