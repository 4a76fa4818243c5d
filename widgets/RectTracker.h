// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/Geometry.h"

#include <QPointer>
#include <QWidget>
#include <Qt>

class QPainter;

// A rectangle the user moves and resizes with the mouse, with handles on its
// corners and sides.
//
// Track and TrackRubberBand are modal: they grab the mouse for the window,
// run their own event loop until the left button is released and follow the
// mouse meanwhile. Other events (paints among them) are dispatched as usual.
// Escape or a right-button press cancels and puts the rectangle back. They
// decline, returning false, when another widget holds the mouse grab.
//
// All points and rectangles are in the client coordinates of the window
// passed in.
class CRectTracker {
public:
    // What a point is over, as HitTest reports it.
    enum TrackerHit {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8,
    };

    CRectTracker() = default;
    explicit CRectTracker(const CRect& rect) : m_rect(rect) {}
    virtual ~CRectTracker() = default;

    // Draws the outline and the handles; nothing for an empty rectangle.
    void Draw(QPainter* dc) const;

    // hitNothing, a corner (0-3), a side (4-7) or hitMiddle. Handles and
    // sides lie inside the rectangle: a point outside it is hitNothing.
    int HitTest(CPoint point) const;

    // Moves (press inside) or resizes (press on a corner or side) m_rect until
    // the left button is released. Without allowInvert a side cannot be
    // dragged past the opposite one: the rectangle keeps at least m_sizeMin.
    // True only when m_rect ends up different from where it started.
    virtual bool Track(QWidget* wnd, CPoint point, bool allowInvert = false);

    // Drags a band from point while showing it on wnd, and leaves it,
    // normalised, in m_rect. The band follows the cursor in every direction
    // and has no minimum size. True when it has a width and a height.
    bool TrackRubberBand(QWidget* wnd, CPoint point);

    // Over a handle or inside the rectangle, shows the matching resize or move
    // cursor and returns true; elsewhere takes back a cursor it showed and
    // returns false. A window transparent for the mouse (a static frame whose
    // presses go to the dialog) never shows its own cursor, so the cursor is
    // set on the first ancestor that receives the mouse.
    bool SetCursor(QWidget* wnd, CPoint point);

    // Whether a Track or TrackRubberBand loop is running on this tracker.
    bool IsTracking() const { return m_trackingWnd != nullptr; }

    CRect m_rect;
    // The smallest size a resize without inversion leaves.
    CSize m_sizeMin{8, 8};
    // The side of the square handles, in pixels.
    int m_nHandleSize = 8;

protected:
    // Called during tracking each time m_rect has changed, with the
    // rectangle before the change, and once more when a cancel puts it back.
    // This one repaints the tracking window at once so its owner can draw
    // m_rect.
    virtual void OnChangedRect(const CRect& rectOld);

    // Called during Track with each rectangle the mouse asks for, before it
    // becomes m_rect: a subclass may bound it. handle is the one tracked
    // (hitMiddle for a move). This one leaves it alone.
    virtual void AdjustRect(int handle, CRect& rect);

    QWidget* TrackingWindow() const { return m_trackingWnd; }

    // The handle of the current or last Track (hitMiddle for a move), and
    // m_rect as that tracking began.
    int TrackedHandle() const { return m_trackedHandle; }
    const CRect& TrackedFrom() const { return m_trackedFrom; }

private:
    bool TrackHandle(int handle, QWidget* wnd, CPoint point, bool allowInvert, bool rubberBand);
    CRect HandleRect(int handle, const CRect& rect) const;
    static Qt::CursorShape CursorFor(int hit);

    QPointer<QWidget> m_trackingWnd;
    int m_trackedHandle = hitNothing;
    CRect m_trackedFrom;
    QPointer<QWidget> m_cursorWnd;
};
