// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/CallTrace.h"

#include <utility>

namespace {
bool g_recording = false;
std::vector<std::string>& Calls()
{
    static std::vector<std::string> calls;
    return calls;
}
} // namespace

namespace calltrace {

void Start()
{
    Calls().clear();
    g_recording = true;
}

std::vector<std::string> Stop()
{
    g_recording = false;
    return std::exchange(Calls(), {});
}

void Record(std::string_view call)
{
    if (g_recording)
        Calls().emplace_back(call);
}

} // namespace calltrace
