// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Files in the way of the program's own: FIFOs, links to endless devices,
// directories and oversized files where a regular file is expected. Each is
// refused at once, and what was there is kept when the program writes its
// own file in its place.

#include "support/HostileFiles.h"
#include "platform/Profile.h"
#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

struct Kind {
    const char* name;
    std::function<bool(const QString&)> make;
    FileRefusal refusal;
};

// One of each thing that can stand where a file is expected.
std::vector<Kind> Kinds()
{
    return {
        {"regular", [](const QString& p) { return hostile::WriteBytes(p, "[Tip]\nFilePos=7\n"); }, FileRefusal::None},
        {"missing", [](const QString&) { return true; }, FileRefusal::Missing},
        {"directory", [](const QString& p) { return QDir().mkdir(p); }, FileRefusal::NotRegular},
        {"fifo", [](const QString& p) { return hostile::MakeFifo(p); }, FileRefusal::NotRegular},
        {"/dev/zero link", [](const QString& p) { return QFile::link("/dev/zero", p); }, FileRefusal::NotRegular},
        {"dangling link", [](const QString& p) { return QFile::link("/nowhere/at/all", p); }, FileRefusal::Missing},
        {"sparse 3 MB", [](const QString& p) { return hostile::MakeSparseFile(p, 3 << 20); }, FileRefusal::TooLarge},
    };
}

// Runs check(path, kind) with each kind made at `name` in a fresh folder.
void ForEachKind(const char* name, const std::function<void(const QString&, const Kind&)>& check)
{
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        ASSERT_TRUE(kind.make(path));
        check(path, kind);
    }
}

} // namespace

TEST(SafeFile, OnlyRegularFilesAreReadAndNeverPastTheCap)
{
    ForEachKind("file", [](const QString& path, const Kind& kind) {
        QByteArray bytes("stale");
        EXPECT_EQ(ReadRegularFile(path, 1 << 20, &bytes), kind.refusal);
        EXPECT_EQ(bytes.isEmpty(), kind.refusal != FileRefusal::None);
        // The check without an open agrees, but for the size it does not read.
        EXPECT_EQ(RegularFileRefusal(path), kind.refusal == FileRefusal::TooLarge ? FileRefusal::None : kind.refusal);
    });

    // The cap counts what was read: exactly the cap is fine, one more is not.
    QTemporaryDir dir;
    const QString path = dir.filePath("ten");
    ASSERT_TRUE(hostile::WriteBytes(path, "0123456789"));
    QByteArray bytes;
    EXPECT_EQ(ReadRegularFile(path, 10, &bytes), FileRefusal::None);
    EXPECT_EQ(bytes, "0123456789");
    EXPECT_EQ(ReadRegularFile(path, 9, &bytes), FileRefusal::TooLarge);
    EXPECT_TRUE(bytes.isEmpty());
}

TEST(SafeFile, KeepRefusedFileMovesTheEntryItselfToAFreeName)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("settings.json");
    ASSERT_TRUE(QFile::link("/dev/zero", path));
    EXPECT_EQ(KeepRefusedFile(path), path + ".refused");
    EXPECT_EQ(QFileInfo(path + ".refused").symLinkTarget(), "/dev/zero"); // the link, not the device
    EXPECT_FALSE(QFileInfo::exists(path));

    ASSERT_TRUE(QDir().mkdir(path));
    EXPECT_EQ(KeepRefusedFile(path), path + ".refused-2");
    EXPECT_TRUE(QFileInfo(path + ".refused-2").isDir());

    QString error;
    EXPECT_TRUE(KeepRefusedFile(path, &error).isEmpty()); // nothing there any more
    EXPECT_TRUE(error.isEmpty());
}

TEST(Profile, AnythingButARegularFileReadsAsEmptyAndIsKeptOnWrite)
{
    ForEachKind("quilvane.ini", [](const QString& path, const Kind& kind) {
        SetProfilePath(path);
        const bool readable = kind.refusal == FileRefusal::None;
        EXPECT_EQ(GetProfileInt("Tip", "FilePos", -1), readable ? 7 : -1);

        ASSERT_TRUE(WriteProfileInt("Tip", "StartUp", 1));
        EXPECT_EQ(GetProfileInt("Tip", "StartUp", 0), 1);
        EXPECT_EQ(GetProfileInt("Tip", "FilePos", -1), readable ? 7 : -1); // the other key survives
        const bool refused = kind.refusal != FileRefusal::None && QString(kind.name) != "missing";
        EXPECT_EQ(QFileInfo(path + ".refused").exists() || QFileInfo(path + ".refused").isSymLink(), refused);
    });
    SetProfilePath({});
}

TEST(Profile, KeysOfOtherVersionsSurviveAWrite)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("quilvane.ini");
    ASSERT_TRUE(hostile::WriteBytes(path, "[Future]\nWidget=\"a, b\"\n[Tip]\nTimeStamp=old\n"));
    SetProfilePath(path);
    ASSERT_TRUE(WriteProfileString("Tip", "TimeStamp", "Mon Dec  7 06:48:22 2026"));
    EXPECT_EQ(GetProfileString("Future", "Widget"), "a, b");
    EXPECT_EQ(GetProfileString("Tip", "TimeStamp"), "Mon Dec  7 06:48:22 2026");
    SetProfilePath({});
}
