// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// An X server of a test's own (Xvfb), for tests that change server-wide
// state (a RandR monitor layout, a server that goes away) and so must not
// share the one scripts/run-tests.sh starts. -displayfd reports the display
// once the server listens; -noreset keeps what the test set up when a client
// disconnects. Ended when the object goes.

#include <QByteArray>
#include <QProcess>
#include <QStringList>

class XvfbServer {
public:
    // screen: "WIDTHxHEIGHTxDEPTH". Display() is empty when Xvfb could not
    // be started.
    explicit XvfbServer(const QString& screen)
    {
        m_process.start("Xvfb", {"-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp", "-noreset"});
        if (!m_process.waitForStarted(5000))
            return;
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(10000))
                return;
        }
        m_display = ":" + m_process.readLine().trimmed();
    }
    ~XvfbServer() { Stop(); }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    const QByteArray& Display() const { return m_display; }

    // Ends the server at once, as a crash or a closed session would.
    void Stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    // Runs an X client (xrandr, ...) against this server; its exit code, or
    // -1 when it did not run.
    int Run(const QString& program, const QStringList& arguments) const
    {
        QProcess client;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", QString::fromLatin1(m_display));
        client.setProcessEnvironment(env);
        client.start(program, arguments);
        if (!client.waitForFinished(10000) || client.exitStatus() != QProcess::NormalExit)
            return -1;
        return client.exitCode();
    }

private:
    QProcess m_process;
    QByteArray m_display;
};
