// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the program's shared data (tips file, background templates) is found:
// beside the program, then in share/quilvane beside its bin/ folder (the build
// tree, any installation prefix), then in the system's data folders.

#include "platform/DataFiles.h"
#include "support/EnvironmentGuard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class DataFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_dataHome.Set(m_home.path().toLocal8Bit());
        m_dataDirs.Set("/nonexistent-a:/nonexistent-b");
    }

    QString Home(const QString& relative) const { return m_home.filePath(QStringLiteral("quilvane/") + relative); }

    const QString m_bin = QCoreApplication::applicationDirPath();
    const QString m_buildData = QDir::cleanPath(m_bin + QStringLiteral("/../share/quilvane"));

private:
    QTemporaryDir m_home;
    EnvironmentGuard m_dataHome{"XDG_DATA_HOME"};
    EnvironmentGuard m_dataDirs{"XDG_DATA_DIRS"};
};

} // namespace

TEST_F(DataFiles, PlacesInOrder)
{
    EXPECT_EQ(DataFileCandidates(QStringLiteral("templates")),
              (QStringList{m_bin + "/templates", m_buildData + "/templates", Home("templates"),
                           "/nonexistent-a/quilvane/templates", "/nonexistent-b/quilvane/templates"}));
}

TEST_F(DataFiles, ABuildRunsWithItsOwnData)
{
    // The build lays its data out as an installation does; nothing of it
    // goes beside the programs.
    EXPECT_EQ(FindDataFile(QStringLiteral("Tips.tip")), m_buildData + "/Tips.tip");
    EXPECT_FALSE(QFile::exists(m_bin + "/Tips.tip"));
}

TEST_F(DataFiles, TheSystemsDataFoldersComeLastAndAnythingThereCounts)
{
    ASSERT_TRUE(QDir().mkpath(Home("only-at-home")));
    ASSERT_TRUE(QFile::link(Home("nowhere"), Home("dangling")));

    // Not a regular file, or a link to nothing: the place is taken all the
    // same, so that the reader refuses it and says so rather than a file
    // elsewhere being read in its place.
    EXPECT_EQ(FindDataFile(QStringLiteral("only-at-home")), Home("only-at-home"));
    EXPECT_EQ(FindDataFile(QStringLiteral("dangling")), Home("dangling"));
    EXPECT_EQ(FindDataFile(QStringLiteral("in-no-place")), QString());
}
