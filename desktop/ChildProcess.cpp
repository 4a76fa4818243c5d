// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/ChildProcess.h"

#include "platform/Warning.h"

#include <QProcess>
#include <QStandardPaths>

QString ChildResult::Describe(const QString& program) const
{
    if (!started)
        return program + QStringLiteral(": could not be started");
    if (!finished)
        return program + QStringLiteral(": no answer in time, stopped");
    QString text = program + QStringLiteral(": exit code ") + QString::number(exitCode);
    const QString detail = QString::fromLocal8Bit(errors.trimmed().isEmpty() ? output.trimmed() : errors.trimmed());
    if (!detail.isEmpty())
        text += QStringLiteral(": ") + Printable(detail.left(300));
    return text;
}

bool HasProgram(const QString& program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

ChildResult RunProgram(const QString& program, const QStringList& arguments, int timeoutMs)
{
    ChildResult result;
    // Resolved here rather than by QProcess so the PATH of this moment counts
    // and a missing program is told apart from one that failed.
    const QString executable = QStandardPaths::findExecutable(program);
    if (executable.isEmpty())
        return result;

    QProcess process;
    process.setProgram(executable);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(timeoutMs))
        return result;
    result.started = true;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(500);
        return result;
    }
    result.finished = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.output = process.readAllStandardOutput();
    result.errors = process.readAllStandardError();
    return result;
}
