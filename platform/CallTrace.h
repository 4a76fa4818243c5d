// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A record of named calls, off unless a test switches it on. Start-up and
// shutdown have an exact order that callers rely on; the services note their
// life-cycle calls here so that order can be checked as a sequence.

#include <string>
#include <string_view>
#include <vector>

namespace calltrace {

void Start();                       // begins a fresh record
std::vector<std::string> Stop();    // ends recording and returns the record
void Record(std::string_view call); // notes one call while recording

} // namespace calltrace
