// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/FocusFrame.h"

#include <QEvent>
#include <QPainter>
#include <QRegion>

FocusFrame* FocusFrame::Attach(QWidget* control)
{
    if (!control || !control->parentWidget())
        return nullptr;
    return new FocusFrame(control);
}

FocusFrame::FocusFrame(QWidget* control) : QWidget(control->parentWidget()), m_control(control)
{
    setObjectName(QStringLiteral("focusFrame"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    control->installEventFilter(this);
    Follow();
}

void FocusFrame::Follow()
{
    if (!m_control) {
        hide();
        return;
    }
    const QRect inner = m_control->geometry();
    const QRect outer = inner.adjusted(-kWidth, -kWidth, kWidth, kWidth);
    setGeometry(outer);
    // Only the ring is ours: the control shows through the middle.
    setMask(QRegion(rect()) - QRegion(inner.translated(-outer.topLeft())));
    const bool shown = m_control->isVisible() && m_control->hasFocus();
    if (shown)
        raise();
    setVisible(shown);
}

bool FocusFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_control) {
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            Follow();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_control ? m_control->palette().color(QPalette::Highlight)
                                       : palette().color(QPalette::Highlight));
}
