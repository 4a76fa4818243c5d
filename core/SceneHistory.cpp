// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/SceneHistory.h"

#include <utility>

namespace {

qint64 ImageBytes(const CxImage& picture)
{
    return picture.IsValid() ? picture.GetImage().sizeInBytes() : 0;
}

qint64 StepBytes(const SceneStep& step)
{
    qint64 bytes = 0;
    for (const SceneChange& change : step.changes)
        bytes += change.KeptBytes();
    return bytes;
}

} // namespace

qint64 SceneChange::KeptBytes() const
{
    qint64 bytes = (photo ? ImageBytes(photo->GetPicture()) : 0) + ImageBytes(background);
    for (const Pixels& kept : pixels)
        bytes += ImageBytes(kept.picture);
    return bytes;
}

void SceneChange::DropPixels()
{
    if (photo)
        photo->DropPixels();
    for (Pixels& kept : pixels)
        kept.picture = CxImage();
    background = CxImage();
}

void SceneHistory::Record(SceneStep step)
{
    if (step.changes.empty())
        return;
    m_redo.clear();
    // A saved design among the steps just dropped can no longer be reached.
    if (m_savedDepth > static_cast<int>(m_undo.size()))
        m_savedDepth = -1;
    m_undo.push_back(std::move(step));
    while (static_cast<int>(m_undo.size()) > kMaxSteps) {
        m_undo.erase(m_undo.begin());
        // The saved design was before the step dropped, or among the rest.
        m_savedDepth = m_savedDepth > 0 ? m_savedDepth - 1 : -1;
    }
    KeepWithinBudget();
}

void SceneHistory::Undone()
{
    if (m_undo.empty())
        return;
    m_redo.push_back(std::move(m_undo.back()));
    m_undo.pop_back();
    KeepWithinBudget();
}

void SceneHistory::Redone()
{
    if (m_redo.empty())
        return;
    m_undo.push_back(std::move(m_redo.back()));
    m_redo.pop_back();
    KeepWithinBudget();
}

void SceneHistory::Clear()
{
    m_undo.clear();
    m_redo.clear();
    m_savedDepth = 0;
}

qint64 SceneHistory::KeptBytes() const
{
    qint64 bytes = 0;
    for (const SceneStep& step : m_undo)
        bytes += StepBytes(step);
    for (const SceneStep& step : m_redo)
        bytes += StepBytes(step);
    return bytes;
}

void SceneHistory::KeepWithinBudget()
{
    qint64 bytes = KeptBytes();
    // The oldest undo steps first, then the redo steps farthest ahead; the
    // steps next to the present keep their pixels longest.
    for (std::vector<SceneStep>* steps : {&m_undo, &m_redo}) {
        for (SceneStep& step : *steps) {
            if (bytes <= kPixelBudget)
                return;
            for (SceneChange& change : step.changes) {
                bytes -= change.KeptBytes();
                change.DropPixels();
            }
        }
    }
}
