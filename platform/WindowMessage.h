// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Private window messages between our windows (WM_USER+n values and the
// mouse-message codes the tray sends). A message travels as one registered
// event type; the receiver handles it in event() and may set a result.

#include <QEvent>
#include <QObject>
#include <cstdint>

#ifdef _WIN32
// Windows defines the message numbers and parameter types itself.
#include <windows.h>
#else
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

inline constexpr int WM_NULL = 0x0000;
inline constexpr int WM_CLOSE = 0x0010;
inline constexpr int WM_COMMAND = 0x0111;
inline constexpr int WM_MOUSEMOVE = 0x0200;
inline constexpr int WM_LBUTTONDOWN = 0x0201;
inline constexpr int WM_LBUTTONUP = 0x0202;
inline constexpr int WM_LBUTTONDBLCLK = 0x0203;
inline constexpr int WM_RBUTTONDOWN = 0x0204;
inline constexpr int WM_RBUTTONUP = 0x0205;
inline constexpr int WM_MBUTTONUP = 0x0208;
inline constexpr int WM_USER = 0x0400;
// The hit-test code of a cursor request over a window's client area.
inline constexpr unsigned HTCLIENT = 1;
#endif

class WindowMessageEvent : public QEvent {
public:
    WindowMessageEvent(int message, WPARAM wParam, LPARAM lParam)
        : QEvent(Type()), m_message(message), m_wParam(wParam), m_lParam(lParam)
    {
    }

    static QEvent::Type Type();

    int message() const { return m_message; }
    WPARAM wParam() const { return m_wParam; }
    LPARAM lParam() const { return m_lParam; }

    LRESULT result() const { return m_result; }
    void setResult(LRESULT r) { m_result = r; }

private:
    int m_message;
    WPARAM m_wParam;
    LPARAM m_lParam;
    LRESULT m_result = 0;
};

// Delivers the message at once and returns the receiver's result (0 when the
// receiver is null or does not handle it).
LRESULT SendWndMessage(QObject* receiver, int message, WPARAM wParam = 0, LPARAM lParam = 0);

// Queues the message for the receiver's event loop.
void PostWndMessage(QObject* receiver, int message, WPARAM wParam = 0, LPARAM lParam = 0);
