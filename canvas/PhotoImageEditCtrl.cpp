// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/PhotoImageEditCtrl.h"

#include "core/SceneGraph.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

namespace {
// What shows where the background does not reach.
constexpr QRgb kCanvasGrey = 0xFF969696; // RGB(150, 150, 150)
} // namespace

CPhotoImageEditCtrl::CPhotoImageEditCtrl(QWidget* parent) : QFrame(parent)
{
    // Presses belong to the design page, which forwards them with the point
    // converted; a press handled here as well would select twice.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // The keyboard reaches the scene through the canvas when the page gives
    // it the focus (a click on it, the page's own focus); never by Tab.
    setFocusPolicy(Qt::ClickFocus);
    // Every pixel comes from the buffer at each paint: an erase before it
    // would only show as flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setFrameStyle(QFrame::NoFrame);
}

// The buffer goes before the tracker (members are destroyed in reverse
// order), and nothing else holds either.
CPhotoImageEditCtrl::~CPhotoImageEditCtrl() = default;

void CPhotoImageEditCtrl::TellSceneClientRect() const
{
    // Canvas coordinates (presses, the tracker, dropped photos) map through
    // the background as fitted into this rectangle.
    if (SceneGraph* scene = SceneGraph::GetInstance())
        scene->SetCanvasRect(ClientRect());
}

void CPhotoImageEditCtrl::resizeEvent(QResizeEvent* event)
{
    TellSceneClientRect();
    QFrame::resizeEvent(event);
}

void CPhotoImageEditCtrl::CreateMemoryDC()
{
    // In device pixels, so the copy to the screen is one-to-one on a high-DPI
    // screen too.
    const qreal dpr = devicePixelRatioF();
    m_memBitmap = QImage(size() * dpr, QImage::Format_RGB32);
    m_memBitmap.setDevicePixelRatio(dpr);
    ++m_memCreations;
}

void CPhotoImageEditCtrl::paintEvent(QPaintEvent*)
{
    // Also here, not only on resize: the scene may have been made after the
    // canvas was laid out.
    TellSceneClientRect();

    // Made at the first paint and reused while the canvas keeps its size. The
    // canvas can be resized (or moved to a screen of another pixel ratio), and
    // a buffer of the old size would leave part of it unpainted, so it is made
    // again then.
    const qreal dpr = devicePixelRatioF();
    if (!m_bMemReady || m_memBitmap.size() != size() * dpr || m_memBitmap.devicePixelRatio() != dpr)
        CreateMemoryDC();
    m_bMemReady = true;

    const CRect client = ClientRect();
    const auto paintScene = [&](QPainter* dc) {
        dc->fillRect(client.ToQRect(), QColor::fromRgb(kCanvasGrey));
        if (const SceneGraph* scene = SceneGraph::GetInstance())
            scene->Render(dc, client);
        DrawTracker(dc);
    };

    QPainter widget(this);
    if (m_memBitmap.isNull()) {
        // No memory for the buffer: drawn straight onto the widget, which may
        // flicker but still shows the design.
        paintScene(&widget);
        return;
    }
    {
        QPainter memDC(&m_memBitmap);
        paintScene(&memDC);
    }
    // The whole buffer; Qt clips it to the region being painted.
    widget.drawImage(QPoint(0, 0), m_memBitmap);
}

void CPhotoImageEditCtrl::DrawTracker(QPainter* dc)
{
    // The tracker's rectangle follows the selection at every paint; hit
    // tests and cursors between paints use this one.
    const SceneGraph* scene = SceneGraph::GetInstance();
    const SSceneObject* selected = scene ? scene->GetSelectedSceneObj() : nullptr;
    if (!selected) {
        m_tracker.m_rect.SetRectEmpty();
        return;
    }
    m_tracker.m_rect = scene->GetPhotoDrawRect(selected);
    m_tracker.Draw(dc);
}

void CPhotoImageEditCtrl::HandleLButtonDown(unsigned, CPoint point)
{
    if (SceneGraph* scene = SceneGraph::GetInstance())
        scene->CheckHitPhoto(point.x, point.y);
    update();

    // Tested against the tracker as last painted, that is, the selection
    // before this press: a press that selects another photo starts a band,
    // and only a press on the photo already marked drags it.
    if (m_tracker.HitTest(point) >= 0) {
        // The tracker moves the photo itself as the mouse goes; a cancelled
        // or empty drag has put everything back and needs no paint.
        if (m_tracker.Track(this, point, false))
            update();
        return;
    }

    // The band selects nothing; it only repaints when it crossed the tracker
    // (which its start, by repainting, has moved to the photo just selected).
    CRectTracker band;
    if (band.TrackRubberBand(this, point)) {
        band.m_rect.NormalizeRect();
        CRect crossing;
        if (crossing.IntersectRect(band.m_rect, m_tracker.m_rect))
            update();
    }
}

void CPhotoImageEditCtrl::HandleRButtonDown(unsigned, CPoint point)
{
    if (SceneGraph* scene = SceneGraph::GetInstance())
        scene->CheckHitPhoto(point.x, point.y);
    update();
}

bool CPhotoImageEditCtrl::HandleSetCursor(QWidget*, unsigned nHitTest)
{
    if (nHitTest != HTCLIENT)
        return false;
    // The tracker is asked about the cursor's own position, in canvas
    // coordinates: the page's point may be from another event.
    return m_tracker.SetCursor(this, CPoint::FromQPoint(mapFromGlobal(QCursor::pos())));
}

void CPhotoImageEditCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonUp();
    QFrame::mouseReleaseEvent(event);
}

void CPhotoImageEditCtrl::OnLButtonUp()
{
    update();
}

void CPhotoImageEditCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    OnContextMenu();
    // Accepted, so the request goes no further: the page opens its menu from
    // its own event, with the point it converts itself.
    event->accept();
}

void CPhotoImageEditCtrl::OnContextMenu() {}
