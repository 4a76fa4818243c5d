// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

// The names of the session's screens (the monitors' connectors), asked on
// any thread. Qt's screen list belongs to the application's thread, where it
// changes as monitors come and go: read there, it is kept, and a change on a
// worker thread gets the copy as it stood when the screens last changed.
// Empty without a QGuiApplication, or on a worker before the application's
// thread ever asked (call it there once first: WallPaperManager does).
QStringList ScreenNames();
