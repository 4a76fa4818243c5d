// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The real program run the way a user runs it, in a session of the test's
// own: private config and runtime folders (so two objects are two users who
// must never meet), no session bus unless the test gives one, and whatever
// else the test sets (DISPLAY, QUILVANE_DESKTOP, ...).

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <memory>

class QuilvaneUser {
public:
    struct Result {
        int code = -1; // -1: did not end in time, or crashed
        QByteArray out;
        QByteArray err;
    };

    QuilvaneUser() : m_env(QProcessEnvironment::systemEnvironment())
    {
        QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_env.insert("XDG_CONFIG_HOME", m_config.path());
        m_env.insert("XDG_RUNTIME_DIR", m_runtime.path());
        m_env.insert("QT_QPA_PLATFORM", "offscreen");
        for (const char* name : {"DBUS_SESSION_BUS_ADDRESS", "DISPLAY", "WAYLAND_DISPLAY", "QUILVANE_DESKTOP",
                                 "QUILVANE_QUIT_WHEN_SHOWN", "XDG_CURRENT_DESKTOP", "SWAYSOCK"})
            m_env.remove(name);
    }

    void Set(const QString& name, const QString& value) { m_env.insert(name, value); }
    void Unset(const QString& name) { m_env.remove(name); }
    QString ConfigHome() const { return m_config.path(); }
    QString RuntimeDir() const { return m_runtime.path(); }
    QString SettingsPath() const { return m_config.filePath("quilvane/settings.json"); }

    static QString Binary() { return QStringLiteral(QUILVANE_APP_BINARY); }

    // Runs the program to its end.
    Result Run(const QStringList& arguments, int timeoutMs = 60000) const
    {
        QProcess program;
        program.setProcessEnvironment(m_env);
        program.start(Binary(), arguments);
        Result result;
        if (!program.waitForFinished(timeoutMs)) {
            program.kill();
            program.waitForFinished();
        } else if (program.exitStatus() == QProcess::NormalExit) {
            result.code = program.exitCode();
        }
        result.out = program.readAllStandardOutput();
        result.err = program.readAllStandardError();
        return result;
    }

    // Starts the program and leaves it running (a slide show, a window).
    std::unique_ptr<QProcess> Start(const QStringList& arguments) const
    {
        auto program = std::make_unique<QProcess>();
        program->setProcessEnvironment(m_env);
        program->start(Binary(), arguments);
        program->waitForStarted(10000);
        return program;
    }

    // Ends a program started with Start the way a session's end does
    // (SIGTERM); its exit code, -1 when it did not end normally.
    static int End(QProcess& program)
    {
        program.terminate();
        if (!program.waitForFinished(15000)) {
            program.kill();
            program.waitForFinished();
            return -1;
        }
        return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    }

private:
    QTemporaryDir m_config;
    QTemporaryDir m_runtime;
    QProcessEnvironment m_env;
};
