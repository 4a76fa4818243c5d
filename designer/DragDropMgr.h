// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "designer/DragDropText.h"
#include "platform/Geometry.h"
#include "platform/WindowMessage.h"

#include <QEvent>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

// The messages a drag sends its owning dialog, registered once when the
// program starts. wParam is the id of the control concerned, lParam a
// DRAGDROPINFO*.
inline const int WM_DD_DRAGENTER = QEvent::registerEventType();
inline const int WM_DD_DRAGDROP = QEvent::registerEventType();
inline const int WM_DD_DRAGABORT = QEvent::registerEventType();

// Roles of the controls in an Install table.
inline constexpr int DDW_SOURCE = 1;
inline constexpr int DDW_TARGET = 2;

// One entry of an Install table: a control id and its role (DDW_SOURCE,
// DDW_TARGET or both). The table ends with {0, 0}.
struct DRAGDROPWND {
    int id;
    int type;
};

// The drag record passed with each message. pt is in the client coordinates
// of the control concerned: for a scrolling control such as a list, that is
// its viewport (where its items are), as a list box's client area is.
//
// WM_DD_DRAGENTER (wParam: the source, pt: where the button was pressed):
// the owner returns nonzero and stores a new CDragDropText in data to start
// the drag, or returns 0 to refuse it. From then on the manager owns data.
// WM_DD_DRAGDROP (wParam: the registered control under the cursor, pt: the
// cursor there) and WM_DD_DRAGABORT (wParam: the source, pt: the cursor in
// the source) carry the payload; it is deleted after the message returns.
struct DRAGDROPINFO {
    CDragDropText* data = nullptr;
    CPoint pt;
};

// Drags a text from one control of a dialog to another.
//
// A left press on a source control followed by a move beyond the system's
// drag distance asks the owner for a payload (WM_DD_DRAGENTER). While the drag
// runs the payload's image follows the cursor and the mouse and Escape belong
// to the drag. Releasing over a registered control sends WM_DD_DRAGDROP;
// releasing anywhere else, Escape, or losing the button sends WM_DD_DRAGABORT.
//
// Controls are found by their geometry, not by the widget under the cursor:
// static frames (the canvas, the preview) let the mouse through to the
// dialog, so the dialog receives the presses meant for them.
class CDragDropMgr : public QObject {
    Q_OBJECT

public:
    CDragDropMgr() = default;
    ~CDragDropMgr() override;

    // Registers the owner's controls; the table ends with {0, 0}. A second
    // call replaces the first.
    void Install(QWidget* owner, const DRAGDROPWND* table);

    // The owner passes every event of its controls (and of itself) here
    // first. A left press on a source arms a drag; nonzero means the event
    // was consumed. Once armed, the manager follows the mouse on its own until
    // the drag ends, so those events need not come through here.
    bool PreTranslateMessage(QObject* target, QEvent* e);

    bool IsDragging() const { return m_state == State::Dragging; }

    // The window showing the payload's image during a drag; null otherwise.
    QWidget* DragImageWindow() const;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    enum class State { Idle, Armed, Dragging };

    // The id of the registered control (with a role in roleMask) whose
    // rectangle holds the global point, or 0.
    int ControlAt(QPoint global, int roleMask) const;
    CPoint ClientPoint(int id, QPoint global) const;
    void StartDrag();
    void MoveImage(QPoint global);
    void Finish(QPoint global, bool dropped);
    void Reset();

    QPointer<QWidget> m_owner;
    std::vector<DRAGDROPWND> m_controls;
    State m_state = State::Idle;
    int m_sourceId = 0;
    QPoint m_pressGlobal;
    QPoint m_lastGlobal;
    std::unique_ptr<CDragDropText> m_payload;
    std::unique_ptr<QWidget> m_image;
    bool m_filtering = false;
    bool m_cursorOverridden = false;
};
