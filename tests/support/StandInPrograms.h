// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Shell-script stand-ins for a desktop's own tools, put first on PATH for
// the object's lifetime, so a back end runs them exactly as it would the real
// ones. The stand-ins keep whatever they record under State().

#include "support/EnvironmentGuard.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

class StandInPrograms {
public:
    // Each program: its name on PATH and its script.
    explicit StandInPrograms(const std::vector<std::pair<QString, QByteArray>>& programs)
    {
        QDir().mkpath(m_dir.filePath("bin"));
        QDir().mkpath(State());
        for (const auto& [name, script] : programs) {
            QFile file(m_dir.filePath("bin/" + name));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(script);
            file.close();
            file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        m_path.Set(QFile::encodeName(m_dir.filePath("bin")) + ":" + qgetenv("PATH"));
    }
    StandInPrograms(const StandInPrograms&) = delete;
    StandInPrograms& operator=(const StandInPrograms&) = delete;

    // A folder for what the stand-ins record.
    QString State() const { return m_dir.filePath("state"); }

private:
    QTemporaryDir m_dir;
    EnvironmentGuard m_path{"PATH"};
};
