// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A D-Bus session bus of a test's own (dbus-daemon), so a test can play a
// desktop's services without touching the user's session. Ended when the
// object goes.

#include <QProcess>
#include <QString>

class PrivateBus {
public:
    PrivateBus()
    {
        m_daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        if (!m_daemon.waitForStarted(5000))
            return;
        while (!m_daemon.canReadLine()) {
            if (!m_daemon.waitForReadyRead(5000))
                return;
        }
        m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
    }
    ~PrivateBus()
    {
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // Empty when dbus-daemon could not be started.
    const QString& Address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};
