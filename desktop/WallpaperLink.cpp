// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/WallpaperLink.h"

#include "desktop/DesktopMessages.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sys/stat.h>

namespace {

const QString kPrefix = QStringLiteral("wallpaper-");

} // namespace

QString WallpaperLink::NameFor(const QByteArray& key, const QString& target)
{
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex();
    QString name = kPrefix + QString::fromLatin1(hash.left(24));
    const QString suffix = QFileInfo(target).suffix();
    static const QRegularExpression plainSuffix(QStringLiteral("^[A-Za-z0-9]{1,8}$"));
    if (plainSuffix.match(suffix).hasMatch())
        name += u'.' + suffix;
    return name;
}

QString WallpaperLink::Make(const QString& folder, const QString& name, const QString& target, const QString& who)
{
    QDir dir(folder);
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        WarnUnchanged(QStringLiteral("%1: cannot create %2").arg(who, PictureName(dir.path())));
        return {};
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString link = dir.filePath(name);
    for (const QString& old : dir.entryList({kPrefix + u'*'}, QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        QFile::remove(dir.filePath(old));
    if (!QFile::link(target, link)) {
        WarnUnchanged(QStringLiteral("%1: cannot make the link %2").arg(who, PictureName(link)));
        return {};
    }
    return link;
}

QByteArray WallpaperLink::ContentKey(const QString& path)
{
    QByteArray key = QFile::encodeName(path);
    struct stat st {};
    if (::stat(key.constData(), &st) == 0) {
        key += '\0' + QByteArray::number(qulonglong(st.st_ino)) + ':' + QByteArray::number(qlonglong(st.st_size)) +
               ':' + QByteArray::number(qlonglong(st.st_mtim.tv_sec)) + '.' +
               QByteArray::number(qlonglong(st.st_mtim.tv_nsec)) + ':' +
               QByteArray::number(qlonglong(st.st_ctim.tv_sec)) + '.' +
               QByteArray::number(qlonglong(st.st_ctim.tv_nsec));
    }
    return key;
}
