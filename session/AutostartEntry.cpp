// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/AutostartEntry.h"

#include "platform/AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// An Exec argument as desktop entries quote it (freedesktop.org): quoted when
// it holds a reserved character, with '"', '`', '$' and '\' escaped inside
// the quotes; then, the value being a string, every '\' doubled; '%' is a
// field code unless doubled.
QString ExecArgument(const QString& argument)
{
    bool plain = !argument.isEmpty();
    for (const QChar c : argument) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && !QStringLiteral("/._+-").contains(c))
            plain = false;
    }
    QString quoted;
    if (plain) {
        quoted = argument;
    } else {
        quoted = u'"';
        for (const QChar c : argument) {
            if (QStringLiteral("\"`$\\").contains(c))
                quoted += u'\\';
            quoted += c;
        }
        quoted += u'"';
    }
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    quoted.replace(u'%', QStringLiteral("%%"));
    return quoted;
}

} // namespace

QString AutostartEntryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/quilvane.desktop");
}

bool AutostartEnabled()
{
    return QFileInfo(AutostartEntryPath()).isFile();
}

QString AutostartProgram()
{
    const QString self = QCoreApplication::applicationFilePath();
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("quilvane"));
    if (self.isEmpty() ||
        (!onPath.isEmpty() && QFileInfo(onPath).canonicalFilePath() == QFileInfo(self).canonicalFilePath()))
        return QStringLiteral("quilvane");
    return self;
}

QByteArray AutostartEntryText(const QString& program)
{
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Quilvane\n"
                                        "Comment=Put back the last wallpaper and slide show\n"
                                        "Exec=%1 --restore\n"
                                        "Icon=org.quilvane.Quilvane\n"
                                        "Terminal=false\n"
                                        "NoDisplay=true\n")
                             .arg(ExecArgument(program));
    return text.toUtf8();
}

bool SetAutostart(bool on, QString* error)
{
    const QString path = AutostartEntryPath();
    if (!on) {
        const QFileInfo entry(path);
        if (!entry.exists() && !entry.isSymLink())
            return true;
        if (entry.isDir() && !entry.isSymLink()) {
            if (error)
                *error = QStringLiteral("%1 is a folder, not an autostart entry").arg(path);
            return false;
        }
        if (!QFile::remove(path)) {
            if (error)
                *error = QStringLiteral("cannot remove %1").arg(path);
            return false;
        }
        return true;
    }
    const QString program = AutostartProgram();
    if (program.contains(u'\n') || program.contains(u'\r')) {
        if (error)
            *error = QStringLiteral("the program's own path holds a line break; a login entry cannot name it");
        return false;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    return WriteFileAtomically(path, AutostartEntryText(program), error);
}
