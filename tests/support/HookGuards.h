// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Scoped replacements of the program's test hooks. Each guard sets a hook for
// its lifetime and puts back the one set before in its destructor, so a
// failed assertion that leaves a test early cannot leave a hook pointing at
// the finished test's locals.

#include "platform/Profile.h"
#include "widgets/FilePrompts.h"
#include "widgets/MessageBox.h"
#include "widgets/TrayIcon.h"

#include <utility>

template <class Value, Value (*Set)(Value)> class HookGuard {
public:
    explicit HookGuard(Value value) : m_previous(Set(std::move(value))) {}
    ~HookGuard() { Set(std::move(m_previous)); }
    HookGuard(const HookGuard&) = delete;
    HookGuard& operator=(const HookGuard&) = delete;

private:
    Value m_previous;
};

// The path setters take a const reference; this adapts them to the guard.
template <QString (*Set)(const QString&)> QString SetByValue(QString path)
{
    return Set(path);
}

using MessageBoxGuard = HookGuard<MessageBoxHook, SetMessageBoxHook>;
using BeepGuard = HookGuard<BeepHook, SetBeepHook>;
using FilePromptGuard = HookGuard<FilePromptHook, SetFilePromptHook>;
using ProfilePathGuard = HookGuard<QString, SetByValue<SetProfilePath>>;
using TrayDoubleClicksGuard = HookGuard<std::optional<bool>, SetTrayDoubleClicksOverride>;
using SystemTrayGuard = HookGuard<std::optional<bool>, SetSystemTrayAvailableOverride>;
