// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A headless wlroots compositor for one test (scripts/headless-wlroots.sh),
// with grim to read back what the screen shows.

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

class HeadlessCompositor {
public:
    // size: the output's "WIDTHxHEIGHT".
    explicit HeadlessCompositor(const QString& size = "640x480")
    {
        for (const char* program : {"sway", "swaybg", "grim"}) {
            if (QStandardPaths::findExecutable(program).isEmpty()) {
                m_problem = QString("%1 is not installed (scripts/install-deps.sh installs sway, swaybg and grim)")
                                .arg(program);
                return;
            }
        }
        QProcess start;
        start.start(Script(), {"start", m_dir.path(), size});
        if (!start.waitForFinished(30000) || start.exitCode() != 0) {
            m_problem = "the compositor did not start: " + QString::fromLocal8Bit(start.readAllStandardError());
            return;
        }
        for (const QByteArray& line : start.readAllStandardOutput().split('\n')) {
            if (line.startsWith("WAYLAND_DISPLAY="))
                m_display = QString::fromLocal8Bit(line.mid(16));
        }
        if (m_display.isEmpty())
            m_problem = "the compositor named no socket";
    }
    ~HeadlessCompositor()
    {
        QProcess stop;
        stop.start(Script(), {"stop", m_dir.path()});
        stop.waitForFinished(30000);
    }
    HeadlessCompositor(const HeadlessCompositor&) = delete;
    HeadlessCompositor& operator=(const HeadlessCompositor&) = delete;

    // Empty when the compositor runs; otherwise why it does not.
    const QString& Problem() const { return m_problem; }
    // The absolute path of its socket, for WAYLAND_DISPLAY.
    const QString& Display() const { return m_display; }

    // What the output shows now (null when grim failed).
    QImage Capture() const
    {
        QProcess grim;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("WAYLAND_DISPLAY", m_display);
        grim.setProcessEnvironment(env);
        grim.start("grim", {"-t", "ppm", "-"});
        if (!grim.waitForFinished(10000) || grim.exitCode() != 0)
            return {};
        return QImage::fromData(grim.readAllStandardOutput(), "PPM");
    }

private:
    static QString Script() { return QUILVANE_SOURCE_DIR "/scripts/headless-wlroots.sh"; }

    QTemporaryDir m_dir;
    QString m_display;
    QString m_problem;
};
