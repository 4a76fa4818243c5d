// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QStringList DataFileCandidates(const QString& relative)
{
    QStringList candidates;
    if (QCoreApplication::instance()) {
        const QString programDir = QCoreApplication::applicationDirPath();
        candidates << QDir::cleanPath(programDir + u'/' + relative);
        candidates << QDir::cleanPath(programDir + QStringLiteral("/../share/quilvane/") + relative);
    }
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        candidates << QDir::cleanPath(data + QStringLiteral("/quilvane/") + relative);
    candidates.removeDuplicates();
    return candidates;
}

QString FindDataFile(const QString& relative)
{
    for (const QString& candidate : DataFileCandidates(relative)) {
        // A link that leads nowhere still counts as there: the reader reports
        // it rather than a tips file elsewhere being read in its place.
        const QFileInfo info(candidate);
        if (info.exists() || info.isSymLink())
            return candidate;
    }
    return {};
}
