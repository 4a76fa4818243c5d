// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The notification-area icon the way the pages use it: a record naming the
// window, icon id, callback message, icon and tip, added and deleted through
// one call. Activations arrive at the window as the callback message with
// the Windows mouse-message code in lParam.

#include "platform/WindowMessage.h"

#include <QIcon>
#include <QRect>
#include <QString>
#include <QSystemTrayIcon>
#include <optional>

class QDBusConnection;
class QWidget;

inline constexpr int NIM_ADD = 0;
inline constexpr int NIM_MODIFY = 1;
inline constexpr int NIM_DELETE = 2;
inline constexpr unsigned NIF_MESSAGE = 0x1;
inline constexpr unsigned NIF_ICON = 0x2;
inline constexpr unsigned NIF_TIP = 0x4;

struct NotifyIconData {
    int cbSize = 88;
    QWidget* hWnd = nullptr;
    unsigned uID = 0;
    unsigned uFlags = 0;
    int uCallbackMessage = 0;
    QIcon hIcon;
    QString szTip;
};

// Adds, changes or deletes the icon the record names (by window and id).
bool ShellNotifyIcon(int message, const NotifyIconData& data);

// The mouse message a tray activation stands for: a double-click is
// WM_LBUTTONDBLCLK (0x203), the context request WM_RBUTTONUP (0x205), a single
// click WM_LBUTTONUP (0x202), a middle click WM_MBUTTONUP (0x208), anything
// else WM_MOUSEMOVE (0x200). A tray that cannot report double clicks sends a
// single activation for what elsewhere is the double click that opens the
// window: with reportsDoubleClicks false that is WM_LBUTTONDBLCLK.
int TrayMouseMessage(QSystemTrayIcon::ActivationReason reason, bool reportsDoubleClicks = true);

// Whether the tray on that session bus reports double clicks. Trays that
// speak StatusNotifierItem (KDE Plasma's, GNOME's with the AppIndicator
// extension) send one activation per click, never a double click; Qt uses
// them whenever the bus has a StatusNotifierWatcher. The icons added after a
// change of answer follow it; tests can force the answer.
bool TrayReportsDoubleClicks(const QDBusConnection& bus);
// Returns the override set before.
std::optional<bool> SetTrayDoubleClicksOverride(std::optional<bool> reports);

// The icon added for that window and id, or null.
QSystemTrayIcon* FindTrayIcon(const QWidget* hWnd, unsigned uID);

// The screen rectangle of any icon of ours, where the platform reports one
// (an empty rectangle otherwise).
QRect TrayIconGeometry();

// Whether the desktop shows tray icons at all; tests can force the answer.
bool IsSystemTrayAvailable();
// Returns the override set before.
std::optional<bool> SetSystemTrayAvailableOverride(std::optional<bool> available);
