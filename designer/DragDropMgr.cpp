// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "designer/DragDropMgr.h"

#include "widgets/DialogBuilder.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>

namespace {

// Where the drag image sits relative to the cursor: below and to the right,
// clear of the hot spot, so it never hides the place of the drop.
constexpr QPoint kImageOffset(14, 18);

// A list's items live in its viewport; that is the control's client area.
QWidget* ClientArea(QWidget* control)
{
    if (auto* area = qobject_cast<QAbstractScrollArea*>(control))
        return area->viewport();
    return control;
}

} // namespace

CDragDropMgr::~CDragDropMgr()
{
    Reset();
}

void CDragDropMgr::Install(QWidget* owner, const DRAGDROPWND* table)
{
    Reset();
    m_owner = owner;
    m_controls.clear();
    for (const DRAGDROPWND* entry = table; entry && (entry->id != 0 || entry->type != 0); ++entry)
        m_controls.push_back(*entry);
}

QWidget* CDragDropMgr::DragImageWindow() const
{
    return m_image.get();
}

int CDragDropMgr::ControlAt(QPoint global, int roleMask) const
{
    if (!m_owner)
        return 0;
    const QPoint inOwner = m_owner->mapFromGlobal(global);
    for (const DRAGDROPWND& entry : m_controls) {
        if (!(entry.type & roleMask))
            continue;
        QWidget* control = GetDlgItem(m_owner, entry.id);
        if (!control || !control->isVisible())
            continue;
        const QRect area(control->mapTo(m_owner.data(), QPoint(0, 0)), control->size());
        if (area.contains(inOwner))
            return entry.id;
    }
    return 0;
}

CPoint CDragDropMgr::ClientPoint(int id, QPoint global) const
{
    QWidget* control = m_owner ? GetDlgItem(m_owner, id) : nullptr;
    if (!control)
        return {};
    return CPoint::FromQPoint(ClientArea(control)->mapFromGlobal(global));
}

bool CDragDropMgr::PreTranslateMessage(QObject* target, QEvent* e)
{
    // Once armed, the application-wide filter has seen every event before the
    // owner's own filter passes it here.
    if (m_state != State::Idle || !m_owner || !e || e->type() != QEvent::MouseButtonPress)
        return false;
    const auto* me = static_cast<QMouseEvent*>(e);
    auto* widget = qobject_cast<QWidget*>(target);
    if (me->button() != Qt::LeftButton || !widget || (widget != m_owner && !m_owner->isAncestorOf(widget)))
        return false;

    const QPoint global = me->globalPosition().toPoint();
    const int source = ControlAt(global, DDW_SOURCE);
    if (!source)
        return false;

    // The press itself goes on to the control: a list still selects the item.
    m_state = State::Armed;
    m_sourceId = source;
    m_pressGlobal = global;
    m_lastGlobal = global;
    qApp->installEventFilter(this);
    m_filtering = true;
    return false;
}

bool CDragDropMgr::eventFilter(QObject* watched, QEvent* e)
{
    if (m_state == State::Idle || !m_owner) {
        if (m_state != State::Idle)
            Reset();
        return false;
    }
    // Mouse input reaches the top-level QWindow before the widget under it;
    // acting on both would count every event twice.
    if (!watched || !watched->isWidgetType())
        return false;

    switch (e->type()) {
    case QEvent::MouseMove: {
        const auto* me = static_cast<QMouseEvent*>(e);
        const QPoint global = me->globalPosition().toPoint();
        m_lastGlobal = global;
        if (!(me->buttons() & Qt::LeftButton)) {
            // The release went somewhere we never saw it.
            if (m_state == State::Dragging)
                Finish(global, false);
            else
                Reset();
            return false;
        }
        if (m_state == State::Armed) {
            if ((global - m_pressGlobal).manhattanLength() < QApplication::startDragDistance())
                return false;
            StartDrag();
            return m_state == State::Dragging;
        }
        MoveImage(global);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const auto* me = static_cast<QMouseEvent*>(e);
        if (m_state == State::Armed) {
            Reset();
            return false;
        }
        if (me->button() == Qt::LeftButton)
            Finish(me->globalPosition().toPoint(), true);
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return m_state == State::Dragging;
    case QEvent::ShortcutOverride:
        if (m_state == State::Dragging && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
            e->accept();
            return true;
        }
        return false;
    case QEvent::KeyPress:
        if (m_state == State::Dragging && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
            Finish(m_lastGlobal, false);
            return true;
        }
        return false;
    default:
        return false;
    }
}

void CDragDropMgr::StartDrag()
{
    DRAGDROPINFO info;
    info.pt = ClientPoint(m_sourceId, m_pressGlobal);
    const LRESULT accepted =
        SendWndMessage(m_owner, WM_DD_DRAGENTER, static_cast<WPARAM>(m_sourceId), reinterpret_cast<LPARAM>(&info));
    // A payload handed over with a refusal is still ours to free.
    std::unique_ptr<CDragDropText> payload(info.data);
    if (!accepted || !payload || !m_owner) {
        Reset();
        return;
    }
    m_payload = std::move(payload);
    m_state = State::Dragging;

    auto image = std::make_unique<QLabel>();
    image->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    image->setAttribute(Qt::WA_TransparentForMouseEvents);
    image->setAttribute(Qt::WA_ShowWithoutActivating);
    image->setAttribute(Qt::WA_TranslucentBackground);
    image->setPixmap(m_payload->CreateDragImage(m_owner->font()));
    image->adjustSize();
    m_image = std::move(image);

    QGuiApplication::setOverrideCursor(Qt::ForbiddenCursor);
    m_cursorOverridden = true;
    MoveImage(m_lastGlobal);
    m_image->show();
}

void CDragDropMgr::MoveImage(QPoint global)
{
    if (m_image)
        m_image->move(global + kImageOffset);
    if (m_cursorOverridden) {
        const bool overTarget = ControlAt(global, DDW_TARGET) != 0;
        QGuiApplication::changeOverrideCursor(overTarget ? Qt::DragCopyCursor : Qt::ForbiddenCursor);
    }
}

void CDragDropMgr::Finish(QPoint global, bool released)
{
    const int target = released ? ControlAt(global, DDW_SOURCE | DDW_TARGET) : 0;
    const int id = target ? target : m_sourceId;
    std::unique_ptr<CDragDropText> payload = std::move(m_payload);
    QPointer<QWidget> owner = m_owner;

    DRAGDROPINFO info;
    info.data = payload.get();
    info.pt = ClientPoint(id, global);
    // Out of the drag before the owner hears of it: its handler may open a
    // dialog, which must not see a grabbed mouse or a drag image.
    Reset();
    SendWndMessage(owner, target ? WM_DD_DRAGDROP : WM_DD_DRAGABORT, static_cast<WPARAM>(id),
                   reinterpret_cast<LPARAM>(&info));
}

void CDragDropMgr::Reset()
{
    if (m_filtering && qApp) {
        qApp->removeEventFilter(this);
        m_filtering = false;
    }
    if (m_cursorOverridden) {
        QGuiApplication::restoreOverrideCursor();
        m_cursorOverridden = false;
    }
    m_image.reset();
    m_payload.reset();
    m_state = State::Idle;
    m_sourceId = 0;
}
