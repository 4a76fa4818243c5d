// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/TrayIcon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <utility>

namespace {

struct Registered {
    QPointer<QWidget> window;
    std::unique_ptr<QSystemTrayIcon> icon;
};

using Key = std::pair<const QWidget*, unsigned>;

std::map<Key, Registered>& Icons()
{
    static std::map<Key, Registered> icons;
    return icons;
}

std::optional<bool>& AvailableOverride()
{
    static std::optional<bool> value;
    return value;
}

std::optional<bool>& DoubleClicksOverride()
{
    static std::optional<bool> value;
    return value;
}

void Apply(QSystemTrayIcon* icon, const NotifyIconData& data)
{
    if (data.uFlags & NIF_ICON)
        icon->setIcon(data.hIcon);
    if (data.uFlags & NIF_TIP)
        icon->setToolTip(data.szTip);
}

} // namespace

int TrayMouseMessage(QSystemTrayIcon::ActivationReason reason, bool reportsDoubleClicks)
{
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
        return WM_LBUTTONDBLCLK;
    case QSystemTrayIcon::Context:
        return WM_RBUTTONUP;
    case QSystemTrayIcon::Trigger:
        return reportsDoubleClicks ? WM_LBUTTONUP : WM_LBUTTONDBLCLK;
    case QSystemTrayIcon::MiddleClick:
        return WM_MBUTTONUP;
    case QSystemTrayIcon::Unknown:
        break;
    }
    return WM_MOUSEMOVE;
}

bool ShellNotifyIcon(int message, const NotifyIconData& data)
{
    const Key key{data.hWnd, data.uID};
    auto it = Icons().find(key);
    switch (message) {
    case NIM_ADD: {
        if (it != Icons().end() || !data.hWnd)
            return false;
        auto icon = std::make_unique<QSystemTrayIcon>();
        Apply(icon.get(), data);
        if (data.uFlags & NIF_MESSAGE) {
            QPointer<QWidget> window = data.hWnd;
            const int callback = data.uCallbackMessage;
            const unsigned id = data.uID;
            // Qt picks the kind of tray when the icon is made.
            const bool doubleClicks = TrayReportsDoubleClicks(QDBusConnection::sessionBus());
            QObject::connect(icon.get(), &QSystemTrayIcon::activated, icon.get(),
                             [window, callback, id, doubleClicks](QSystemTrayIcon::ActivationReason reason) {
                                 if (window)
                                     SendWndMessage(
                                         window, callback, id,
                                         TrayMouseMessage(reason, DoubleClicksOverride().value_or(doubleClicks)));
                             });
        }
        icon->show();
        Icons().emplace(key, Registered{data.hWnd, std::move(icon)});
        return true;
    }
    case NIM_MODIFY:
        if (it == Icons().end())
            return false;
        Apply(it->second.icon.get(), data);
        return true;
    case NIM_DELETE:
        if (it == Icons().end())
            return false;
        Icons().erase(it);
        return true;
    default:
        return false;
    }
}

QSystemTrayIcon* FindTrayIcon(const QWidget* hWnd, unsigned uID)
{
    auto it = Icons().find(Key{hWnd, uID});
    return it == Icons().end() ? nullptr : it->second.icon.get();
}

QRect TrayIconGeometry()
{
    for (const auto& [key, reg] : Icons()) {
        const QRect r = reg.icon->geometry();
        if (r.isValid() && !r.isEmpty())
            return r;
    }
    return {};
}

bool IsSystemTrayAvailable()
{
    if (AvailableOverride())
        return *AvailableOverride();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

std::optional<bool> SetSystemTrayAvailableOverride(std::optional<bool> available)
{
    return std::exchange(AvailableOverride(), available);
}

bool TrayReportsDoubleClicks(const QDBusConnection& bus)
{
    if (DoubleClicksOverride())
        return *DoubleClicksOverride();
    const QDBusConnectionInterface* services = bus.isConnected() ? bus.interface() : nullptr;
    return !(services && services->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher")).value());
}

std::optional<bool> SetTrayDoubleClicksOverride(std::optional<bool> reports)
{
    return std::exchange(DoubleClicksOverride(), reports);
}
