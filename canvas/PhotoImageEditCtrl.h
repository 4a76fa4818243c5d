// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/TrackerTool.h"
#include "platform/Geometry.h"
#include "platform/WindowMessage.h"

#include <QFrame>
#include <QImage>

// The design surface: the scene (background and photos) with a tracker over
// the selected photo. It keeps no copy of the scene; every paint asks the
// scene to render, so whoever changes the scene only updates the canvas.
//
// The canvas lets mouse presses through to the design page, which converts
// the point into canvas coordinates and calls HandleLButtonDown,
// HandleRButtonDown and HandleSetCursor. The canvas sees mouse events itself
// only while its tracker holds the mouse grab.
//
// It paints through an off-screen buffer and never lets Qt erase it first,
// so neither a drag nor a scene change flickers.
class CPhotoImageEditCtrl : public QFrame {
    Q_OBJECT

public:
    explicit CPhotoImageEditCtrl(QWidget* parent = nullptr);
    ~CPhotoImageEditCtrl() override;

    // A left press at point (canvas coordinates): a press on the tracker of
    // the last paint moves or resizes the selected photo; anywhere else it
    // selects the photo under the point and drags a rubber band, which
    // selects nothing. Returns when the button is released or the drag is
    // cancelled (Escape, right button). nFlags is not used.
    void HandleLButtonDown(unsigned nFlags, CPoint point);

    // A right press at point: selects the photo under it (or nothing), the
    // photo the page's context menu then acts on. nFlags is not used.
    void HandleRButtonDown(unsigned nFlags, CPoint point);

    // A cursor request the page received (pWnd is not used): for
    // HTCLIENT, over the tracker, shows the move or resize cursor and
    // returns true; otherwise false and the page shows its own.
    bool HandleSetCursor(QWidget* pWnd, unsigned nHitTest);

    // The tracker over the selected photo; its rectangle is the photo's as
    // of the last paint.
    TrackerTool m_tracker;

    // How many times the off-screen buffer has been made.
    int MemoryBufferCreations() const { return m_memCreations; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    void OnLButtonUp();
    void OnContextMenu();

private:
    CRect ClientRect() const { return CRect(0, 0, width(), height()); }
    void TellSceneClientRect() const;
    void CreateMemoryDC();
    void DrawTracker(QPainter* dc);

    QImage m_memBitmap;
    bool m_bMemReady = false;
    int m_memCreations = 0;
};
