#pragma once

#include "platform/RectTracker.h"

#include <QRectF>

class SSceneObject;

// The design canvas's tracker over the selected photo. The canvas sets
// m_rect to the photo's canvas rectangle and uses the CRectTracker operations;
// the tracked rectangle reaches the photo through this class, never through
// the canvas: while the user drags, the photo follows (so each repaint shows
// it at its new place), when the button is released it takes the final
// rectangle, and a cancelled drag puts it back exactly where it was.
class TrackerTool : public CRectTracker {
public:
    TrackerTool() = default;

    // CRectTracker::Track for the scene's selected photo; with no photo
    // selected it tracks m_rect alone.
    bool Track(QWidget* wnd, CPoint point, bool allowInvert = false) override;

protected:
    void OnChangedRect(const CRect& rectOld) override;

private:
    // The photo being tracked, only while Track runs.
    SSceneObject* m_photo = nullptr;
};
