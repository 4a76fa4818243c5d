// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Points the Tip of the Day at another file for the guard's lifetime (the
// designer layer's hook, kept apart so lower layers' tests need no designer).

#include "designer/TipsReader.h"
#include "support/HookGuards.h"

using TipsPathGuard = HookGuard<QString, SetByValue<SetTipsFilePath>>;
