#include "core/desktop/SwayBackend.h"

#include "core/desktop/ChildProcess.h"
#include "core/desktop/DesktopMessages.h"
#include "platform/Warning.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

const QString kProgram = QStringLiteral("swaymsg");
const QString kLinkPrefix = QStringLiteral("wallpaper-");

} // namespace

bool SwayBackend::IsQuotable(const QString& path)
{
    if (path.isEmpty())
        return false;
    QChar previous;
    for (const QChar c : path) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || u == u'\'' || u == u'"' || u == u'\\' || u == u'$')
            return false;
        // Newer sway escapes runs of spaces itself before expanding, which
        // would put a backslash into a single-quoted name.
        if (c.isSpace() && previous.isSpace())
            return false;
        if (c.isSpace() && u != u' ')
            return false;
        previous = c;
    }
    return true;
}

QString SwayBackend::QuotedArgument(const QString& path)
{
    return QStringLiteral("\"'") + path + QStringLiteral("'\"");
}

QString SwayBackend::PathForSway(const QString& absolutePath)
{
    if (IsQuotable(absolutePath))
        return absolutePath;

    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) {
        WarnUnchanged(QStringLiteral("sway: no runtime folder for a link to %1").arg(PictureName(absolutePath)));
        return {};
    }
    QDir dir(runtime + QStringLiteral("/quilvane"));
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        WarnUnchanged(QStringLiteral("sway: cannot create %1").arg(PictureName(dir.path())));
        return {};
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // Named after the path, so each picture gets a name of its own and the
    // command sway receives changes whenever the picture does.
    const QByteArray hash = QCryptographicHash::hash(absolutePath.toUtf8(), QCryptographicHash::Sha256).toHex();
    QString name = kLinkPrefix + QString::fromLatin1(hash.left(24));
    const QString suffix = QFileInfo(absolutePath).suffix();
    static const QRegularExpression plainSuffix(QStringLiteral("^[A-Za-z0-9]{1,8}$"));
    if (plainSuffix.match(suffix).hasMatch())
        name += u'.' + suffix;
    const QString link = dir.filePath(name);

    // Only the newest link is needed: swaybg has the old picture in memory.
    for (const QString& old : dir.entryList({kLinkPrefix + u'*'}, QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        QFile::remove(dir.filePath(old));
    if (!QFile::link(absolutePath, link) || !IsQuotable(link)) {
        WarnUnchanged(QStringLiteral("sway: cannot make the link %1").arg(PictureName(link)));
        return {};
    }
    return link;
}

bool SwayBackend::SetWallpaper(const QString& absolutePath, WallpaperStyle style)
{
    if (!HasProgram(kProgram)) {
        WarnUnchanged(QStringLiteral("sway: swaymsg is not installed"));
        return false;
    }
    const QString path = PathForSway(absolutePath);
    if (path.isEmpty())
        return false;
    const ChildResult result =
        RunProgram(kProgram, {QStringLiteral("output"), QStringLiteral("*"), QStringLiteral("bg"), QuotedArgument(path),
                              WallpaperStyleWord(style)});
    if (!result.Succeeded()) {
        WarnUnchanged(QStringLiteral("sway: cannot set the wallpaper: %1").arg(result.Describe(kProgram)));
        return false;
    }
    return true;
}
