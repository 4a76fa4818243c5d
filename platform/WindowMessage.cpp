// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/WindowMessage.h"

#include <QCoreApplication>

QEvent::Type WindowMessageEvent::Type()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

LRESULT SendWndMessage(QObject* receiver, int message, WPARAM wParam, LPARAM lParam)
{
    if (!receiver)
        return 0;
    WindowMessageEvent ev(message, wParam, lParam);
    QCoreApplication::sendEvent(receiver, &ev);
    return ev.result();
}

void PostWndMessage(QObject* receiver, int message, WPARAM wParam, LPARAM lParam)
{
    if (receiver)
        QCoreApplication::postEvent(receiver, new WindowMessageEvent(message, wParam, lParam));
}
