// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Message boxes and beeps. A message box has an OK button and the
// executable's base name as its caption. Tests answer boxes and count beeps
// through the hooks instead of showing anything.

#include <QString>
#include <functional>

class QWidget;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// The caption of every message box: the executable's file name without its
// extension.
QString AppMessageCaption();

// Shows a modal message box with an OK button; returns IDOK. The text is
// plain text, shown exactly as given.
int AfxMessageBox(const QString& text, QWidget* parent = nullptr);

// Asks the question with the buttons "Save" (IDYES, the default), "Discard"
// (IDNO) and "Cancel" (IDCANCEL, also Escape and the close box), the caption
// as AfxMessageBox's. A hook's answer other than IDYES or IDNO counts as
// Cancel.
int AskSaveDiscardCancel(const QString& question, QWidget* parent = nullptr);

// The system's simple beep.
void PlainBeep();

using MessageBoxHook = std::function<int(const QString& caption, const QString& text)>;
using BeepHook = std::function<void()>;

// Replaces the box or the beep (for tests); an empty hook restores them.
// Each returns the hook set before.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);
BeepHook SetBeepHook(BeepHook hook);
