// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The login entry for programs installed under awkward paths: every one is
// an entry desktop-file-validate accepts, whose Exec line names the program
// as a desktop reads it back.

#include "session/AutostartEntry.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(AutostartEntry, AnyProgramPathGivesAValidEntry)
{
    if (QStandardPaths::findExecutable("desktop-file-validate").isEmpty())
        GTEST_SKIP() << "desktop-file-validate is missing (scripts/install-deps.sh installs desktop-file-utils)";
    const struct {
        QString program;
        QByteArray exec;
    } cases[] = {
        {"quilvane", "Exec=quilvane --restore\n"},
        {"/usr/local/bin/quilvane", "Exec=/usr/local/bin/quilvane --restore\n"},
        {"/opt/my apps/quilvane", "Exec=\"/opt/my apps/quilvane\" --restore\n"},
        {"/opt/a\"b$c`d/quilvane", "Exec=\"/opt/a\\\\\"b\\\\$c\\\\`d/quilvane\" --restore\n"},
        {"/opt/back\\slash/100%/quilvane", "Exec=\"/opt/back\\\\\\\\slash/100%%/quilvane\" --restore\n"},
        {QString::fromUtf8("/home/zoë/bin/quilvane"), "Exec=\"/home/zo\xc3\xab/bin/quilvane\" --restore\n"},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        const QByteArray entry = AutostartEntryText(c.program);
        EXPECT_TRUE(entry.contains(c.exec)) << entry.toStdString();
        const QString path = dir.filePath("quilvane.desktop");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(entry);
        file.close();
        QProcess validate;
        validate.start("desktop-file-validate", {path});
        ASSERT_TRUE(validate.waitForFinished(20000));
        EXPECT_EQ(validate.exitCode(), 0) << c.program.toStdString() << ": " << validate.readAll().toStdString();
    }
}

TEST(AutostartEntry, ShowsTheIconTheApplicationIsInstalledWith)
{
    // Desktops list the login entry with its icon; only the application's
    // own desktop file names one the package installs.
    const auto iconOf = [](const QByteArray& entry) {
        for (const QByteArray& line : entry.split('\n')) {
            if (line.startsWith("Icon="))
                return line.mid(5);
        }
        return QByteArray();
    };
    QFile application(QStringLiteral(QUILVANE_SOURCE_DIR "/res/org.quilvane.Quilvane.desktop"));
    ASSERT_TRUE(application.open(QIODevice::ReadOnly));
    const QByteArray icon = iconOf(application.readAll());
    ASSERT_FALSE(icon.isEmpty());
    EXPECT_EQ(iconOf(AutostartEntryText(QStringLiteral("quilvane"))), icon);
}
