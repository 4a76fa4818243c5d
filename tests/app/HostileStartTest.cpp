// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real program started with hostile things in place of its own files:
// it must show its window and quit normally, and keep what it refused.

#include "support/HostileFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs a copy of the program that lives in `binDir` (its tips file is
// binDir/Tips.tip) with its configuration in `config`, quitting as soon as
// its window is shown. Returns the exit code, -1 if it did not end in time.
int RunProgram(const QString& binDir, const QString& config, QByteArray* errors)
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", config);
    env.insert("QUILVANE_QUIT_WHEN_SHOWN", "1");
    // A session of its own: a start beside another test's would only bring
    // that one's window to the front.
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.remove("DBUS_SESSION_BUS_ADDRESS");
    program.setProcessEnvironment(env);
    program.start(binDir + "/quilvane", {});
    if (!program.waitForFinished(60000)) {
        program.kill();
        program.waitForFinished();
        return -1;
    }
    *errors = program.readAllStandardError();
    return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
}

} // namespace

TEST(HostileStart, FifosDeviceLinksAndFoldersInPlaceOfItsFilesAreRefused)
{
    QTemporaryDir bin;
    ASSERT_TRUE(QFile::copy(QUILVANE_APP_BINARY, bin.filePath("quilvane")));
    const std::pair<const char*, std::function<bool(const QString&)>> kinds[] = {
        {"fifo", [](const QString& p) { return hostile::MakeFifo(p); }},
        {"/dev/zero link", [](const QString& p) { return QFile::link("/dev/zero", p); }},
        {"directory", [](const QString& p) { return QDir().mkdir(p); }},
    };
    for (const char* file : {"settings", "profile", "tips"}) {
        for (const auto& [kind, make] : kinds) {
            SCOPED_TRACE(std::string(file) + " is a " + kind);
            QTemporaryDir config;
            QDir().mkpath(config.filePath("quilvane"));
            const QString path = QString(file) == "settings"  ? config.filePath("quilvane/settings.json")
                                 : QString(file) == "profile" ? config.filePath("quilvane.ini")
                                                              : bin.filePath("Tips.tip");
            ASSERT_TRUE(make(path));
            QByteArray errors;
            EXPECT_EQ(RunProgram(bin.path(), config.path(), &errors), 0) << errors.toStdString();
            QFile::remove(bin.filePath("Tips.tip"));
            QDir().rmdir(bin.filePath("Tips.tip"));
        }
    }
}

TEST(HostileStart, ARefusedSettingsFileIsStillOnDiskAfterTheSession)
{
    QTemporaryDir bin;
    ASSERT_TRUE(QFile::copy(QUILVANE_APP_BINARY, bin.filePath("quilvane")));
    QTemporaryDir config;
    const QString path = config.filePath("quilvane/settings.json");
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray original("{\"folder\": \"/home/me/Fotos\xff/\"}");
    ASSERT_TRUE(hostile::WriteBytes(path, original));

    QByteArray errors;
    EXPECT_EQ(RunProgram(bin.path(), config.path(), &errors), 0) << errors.toStdString();
    QFile kept(path + ".refused");
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), original);
    EXPECT_TRUE(QFileInfo(path).isFile()); // the new settings beside it
}
