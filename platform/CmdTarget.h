// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Anything a menu or accelerator command can be offered to. A command is
// offered along a chain (main window, then its active page, then the
// application); the first target that handles it ends the routing.

#include <initializer_list>
#include <span>

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Runs the handler for command id and returns true, or returns false when
    // this target has none.
    virtual bool OnCmdMsg(int id)
    {
        (void)id;
        return false;
    }
};

// Offers the command to each target in turn; true when one handled it.
inline bool RouteCommand(int id, std::initializer_list<CCmdTarget*> chain)
{
    for (CCmdTarget* target : chain) {
        if (target && target->OnCmdMsg(id))
            return true;
    }
    return false;
}

// One row of a page's command table: the command id and the member that
// handles it. Pages keep a static table instead of a growing switch.
template <class T> struct CommandEntry {
    int id;
    void (T::*handler)();
};

// Runs the handler that the table lists for id; false when the table has none.
template <class T> bool DispatchCommand(T* target, int id, std::span<const CommandEntry<T>> table)
{
    for (const CommandEntry<T>& entry : table) {
        if (entry.id == id) {
            (target->*entry.handler)();
            return true;
        }
    }
    return false;
}
