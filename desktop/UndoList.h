// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// All or nothing for a change made in several steps (several settings, each
// written on its own): every step that changed something registers how to
// put it back, and unless the whole change is committed the steps are undone
// in reverse order when the list goes out of scope.

#include <functional>
#include <vector>

class UndoList final {
public:
    UndoList() = default;
    ~UndoList()
    {
        for (auto it = m_steps.rbegin(); it != m_steps.rend(); ++it)
            (*it)();
    }
    UndoList(const UndoList&) = delete;
    UndoList& operator=(const UndoList&) = delete;

    void Add(std::function<void()> undo) { m_steps.push_back(std::move(undo)); }
    // The change is complete: nothing is undone.
    void Commit() { m_steps.clear(); }

private:
    std::vector<std::function<void()>> m_steps;
};
