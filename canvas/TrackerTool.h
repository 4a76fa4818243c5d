// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "widgets/RectTracker.h"

#include <QRectF>

class SSceneObject;

// The design canvas's tracker over the selected photo. The canvas sets
// m_rect to the photo's canvas rectangle and uses the CRectTracker operations;
// the tracked rectangle reaches the photo through this class, never through
// the canvas: while the user drags, the photo follows (so each repaint shows
// it at its new place), when the button is released it takes the final
// rectangle, and a cancelled drag puts it back exactly where it was.
//
// A move shifts the photo's place without changing its size; a resize moves
// only the edges dragged. However far the mouse goes, a grip of the photo (a
// handle's width, or the whole photo when it is smaller) stays on the
// background, so the photo can always be seen, selected and deleted.
class TrackerTool : public CRectTracker {
public:
    TrackerTool() = default;

    // CRectTracker::Track for the scene's selected photo; with no photo
    // selected it tracks m_rect alone.
    bool Track(QWidget* wnd, CPoint point, bool allowInvert = false) override;

protected:
    void OnChangedRect(const CRect& rectOld) override;
    void AdjustRect(int handle, CRect& rect) override;

private:
    // Puts the photo where the tracked rectangle now says.
    void FollowRect(bool interim);

    // The photo being tracked and its place when tracking began, only while
    // Track runs.
    SSceneObject* m_photo = nullptr;
    QRectF m_sceneFrom;
};
