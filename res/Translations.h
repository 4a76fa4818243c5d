// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The program's translations, compiled into it, and Qt's own translations of
// its standard dialogs where the system has them.

#include <QLocale>
#include <QString>

// Installs the program's translation for the first of the locale's user
// interface languages it has one for, and Qt's own translation into the same
// language when the system has that. Replaces what an earlier call
// installed. Returns the language installed ("de"), empty for none: the
// program then speaks English.
QString InstallTranslations(const QLocale& locale = QLocale::system());

// Takes out what InstallTranslations installed.
void RemoveTranslations();
