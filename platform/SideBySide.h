// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

// Runs job(0) .. job(count - 1), each once, on this thread and on whatever
// threads of the global pool are free, and returns when all have run. This
// thread takes jobs too, so nothing ever waits on a busy pool. A job must
// not throw.
void RunSideBySide(int count, const std::function<void(int)>& job);
