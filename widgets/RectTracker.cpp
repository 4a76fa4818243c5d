// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/RectTracker.h"

#include "widgets/TrackedRect.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

namespace {

// Sees every event of the application while a tracking loop runs: the mouse
// is grabbed for the tracking window, but Escape goes to whichever widget has
// the focus.
class TrackingHook : public QObject {
public:
    explicit TrackingHook(std::function<bool(QObject*, QEvent*)> handler) : m_handler(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return m_handler(watched, event); }

private:
    std::function<bool(QObject*, QEvent*)> m_handler;
};

bool IsWidget(QObject* object)
{
    return object && object->isWidgetType();
}

} // namespace

CRect CRectTracker::HandleRect(int handle, const CRect& rect) const
{
    // Handles lie inside the rectangle, against its edges. A press on a
    // handle is then always a press on the photo too, so the selection made
    // by that press keeps the photo the handle belongs to. On a small
    // rectangle they shrink so that a middle is left to move it by.
    const int h = std::max(1, std::min(m_nHandleSize, std::min(rect.Width(), rect.Height()) / 3));
    const int xm = rect.left + (rect.Width() - h) / 2;
    const int ym = rect.top + (rect.Height() - h) / 2;
    CPoint c;
    switch (handle) {
    case hitTopLeft:
        c = {rect.left, rect.top};
        break;
    case hitTopRight:
        c = {rect.right - h, rect.top};
        break;
    case hitBottomRight:
        c = {rect.right - h, rect.bottom - h};
        break;
    case hitBottomLeft:
        c = {rect.left, rect.bottom - h};
        break;
    case hitTop:
        c = {xm, rect.top};
        break;
    case hitRight:
        c = {rect.right - h, ym};
        break;
    case hitBottom:
        c = {xm, rect.bottom - h};
        break;
    case hitLeft:
        c = {rect.left, ym};
        break;
    default:
        return {};
    }
    return CRect(c, CSize(h, h));
}

void CRectTracker::Draw(QPainter* dc) const
{
    CRect rect = m_rect;
    rect.NormalizeRect();
    if (!dc || rect.IsRectEmpty())
        return;

    dc->save();
    dc->setRenderHint(QPainter::Antialiasing, false);
    dc->setBrush(Qt::NoBrush);
    // A white line under a black dashed one shows on light and dark photos.
    const QRect outline(rect.left, rect.top, rect.Width() - 1, rect.Height() - 1);
    dc->setPen(QPen(Qt::white, 1, Qt::SolidLine));
    dc->drawRect(outline);
    dc->setPen(QPen(Qt::black, 1, Qt::DashLine));
    dc->drawRect(outline);

    // Side handles only where there is room for them between the corners.
    const bool wide = rect.Width() >= 3 * m_nHandleSize;
    const bool tall = rect.Height() >= 3 * m_nHandleSize;
    dc->setPen(QPen(Qt::black, 1, Qt::SolidLine));
    dc->setBrush(Qt::white);
    for (int handle = hitTopLeft; handle <= hitLeft; ++handle) {
        if ((handle == hitTop || handle == hitBottom) && !wide)
            continue;
        if ((handle == hitLeft || handle == hitRight) && !tall)
            continue;
        const CRect r = HandleRect(handle, rect);
        dc->drawRect(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
    }
    dc->restore();
}

int CRectTracker::HitTest(CPoint point) const
{
    CRect rect = m_rect;
    rect.NormalizeRect();
    if (rect.IsRectEmpty())
        return hitNothing;

    for (int corner = hitTopLeft; corner <= hitBottomLeft; ++corner) {
        if (HandleRect(corner, rect).PtInRect(point))
            return corner;
    }

    // Everything else happens inside the rectangle. Each side can be grabbed
    // along its whole length, at most half a handle and a quarter of the
    // rectangle deep, so a small rectangle keeps a middle to move it by.
    if (!rect.PtInRect(point))
        return hitNothing;
    const int inX = std::max(1, std::min(m_nHandleSize / 2, rect.Width() / 4));
    const int inY = std::max(1, std::min(m_nHandleSize / 2, rect.Height() / 4));
    if (point.y < rect.top + inY)
        return hitTop;
    if (point.y >= rect.bottom - inY)
        return hitBottom;
    if (point.x < rect.left + inX)
        return hitLeft;
    if (point.x >= rect.right - inX)
        return hitRight;
    return hitMiddle;
}

bool CRectTracker::Track(QWidget* wnd, CPoint point, bool allowInvert)
{
    const int handle = HitTest(point);
    if (handle == hitNothing)
        return false;
    return TrackHandle(handle, wnd, point, allowInvert, false);
}

bool CRectTracker::TrackRubberBand(QWidget* wnd, CPoint point)
{
    if (!wnd || IsTracking())
        return false;
    m_rect = CRect(point.x, point.y, point.x, point.y);
    TrackHandle(hitBottomRight, wnd, point, true, true);
    m_rect.NormalizeRect();
    return !m_rect.IsRectEmpty();
}

bool CRectTracker::TrackHandle(int handle, QWidget* wnd, CPoint start, bool allowInvert, bool rubberBand)
{
    if (!wnd || IsTracking())
        return false;
    QWidget* grabber = QWidget::mouseGrabber();
    if (grabber && grabber != wnd)
        return false;

    QPointer<QWidget> window(wnd);
    m_trackingWnd = wnd;
    wnd->grabMouse();
    // Bring the window up to date first: its paint may set m_rect (the
    // canvas copies the selected photo's place into it), and tracking starts
    // from what the user sees.
    if (wnd->isVisible())
        wnd->repaint();
    const CRect saved = m_rect;
    if (!rubberBand) {
        m_trackedHandle = handle;
        m_trackedFrom = saved;
    }

    std::unique_ptr<QRubberBand> band;
    if (rubberBand) {
        band = std::make_unique<QRubberBand>(QRubberBand::Rectangle, wnd);
        band->setGeometry(QRect(start.x, start.y, 0, 0));
    }

    bool moved = false;
    const auto follow = [&](CPoint p) {
        // Always from where the tracking started, so a repaint that rewrote
        // m_rect meanwhile changes nothing.
        CRect next = DraggedRect(saved, handle, start, p, allowInvert, m_sizeMin);
        if (!rubberBand)
            AdjustRect(handle, next);
        if (next == m_rect)
            return;
        const CRect old = m_rect;
        m_rect = next;
        moved = true;
        if (band) {
            CRect shown = next;
            shown.NormalizeRect();
            band->setGeometry(shown.ToQRect());
            band->show();
        }
        OnChangedRect(old);
    };

    QEventLoop loop;
    bool cancelled = false;
    const auto cancel = [&] {
        cancelled = true;
        loop.quit();
    };

    TrackingHook hook([&](QObject* watched, QEvent* e) -> bool {
        // Only what reaches widgets counts: the same input arrives at the
        // top-level QWindow first, and Qt's own bookkeeping must see it there.
        switch (e->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: {
            if (!IsWidget(watched) || !window)
                return false;
            if (QWidget::mouseGrabber() != window) {
                // Someone else took the mouse: the drag is over.
                cancel();
                return false;
            }
            const auto* me = static_cast<QMouseEvent*>(e);
            const CPoint p = CPoint::FromQPoint(window->mapFromGlobal(me->globalPosition().toPoint()));
            if (e->type() == QEvent::MouseMove) {
                follow(p);
            } else if (e->type() == QEvent::MouseButtonRelease && me->button() == Qt::LeftButton) {
                follow(p);
                loop.quit();
            } else if (e->type() == QEvent::MouseButtonPress && me->button() == Qt::RightButton) {
                cancel();
            }
            return true;
        }
        case QEvent::ShortcutOverride:
            // Escape is ours while tracking, not a shortcut's.
            if (IsWidget(watched) && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
                e->accept();
                return true;
            }
            return false;
        case QEvent::KeyPress:
            if (IsWidget(watched) && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
                cancel();
                return true;
            }
            return false;
        default:
            return false;
        }
    });
    QObject::connect(wnd, &QObject::destroyed, &loop, cancel);
    qApp->installEventFilter(&hook);
    loop.exec();
    qApp->removeEventFilter(&hook);

    band.reset();
    if (window && QWidget::mouseGrabber() == window)
        window->releaseMouse();

    if (cancelled || !moved) {
        const CRect old = m_rect;
        m_rect = saved;
        if (moved && window)
            OnChangedRect(old);
    }
    m_trackingWnd = nullptr;
    return m_rect != saved;
}

void CRectTracker::AdjustRect(int, CRect&) {}

// Painted at once rather than scheduled: the user's hand is on the mouse and
// the owner's paint is what shows the rectangle at its new place.
void CRectTracker::OnChangedRect(const CRect&)
{
    if (m_trackingWnd)
        m_trackingWnd->repaint();
}

Qt::CursorShape CRectTracker::CursorFor(int hit)
{
    switch (hit) {
    case hitTopLeft:
    case hitBottomRight:
        return Qt::SizeFDiagCursor;
    case hitTopRight:
    case hitBottomLeft:
        return Qt::SizeBDiagCursor;
    case hitTop:
    case hitBottom:
        return Qt::SizeVerCursor;
    case hitLeft:
    case hitRight:
        return Qt::SizeHorCursor;
    default:
        return Qt::SizeAllCursor;
    }
}

bool CRectTracker::SetCursor(QWidget* wnd, CPoint point)
{
    QWidget* target = wnd;
    while (target && target->testAttribute(Qt::WA_TransparentForMouseEvents) && target->parentWidget())
        target = target->parentWidget();
    if (!target)
        return false;

    const int hit = HitTest(point);
    if (hit == hitNothing) {
        if (m_cursorWnd) {
            m_cursorWnd->unsetCursor();
            m_cursorWnd = nullptr;
        }
        return false;
    }
    if (m_cursorWnd && m_cursorWnd != target)
        m_cursorWnd->unsetCursor();
    target->setCursor(CursorFor(hit));
    m_cursorWnd = target;
    return true;
}
