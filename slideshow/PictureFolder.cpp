#include "slideshow/PictureFolder.h"

#include <QDir>

#include <algorithm>

namespace {

bool ByName(const QString& a, const QString& b)
{
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

} // namespace

PictureFiles FindPictureFiles(const QString& folder, bool allTypes)
{
    PictureFiles found;
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return found;
    // One pass over the folder; the patterns then pick from the names.
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden, QDir::NoSort);
    for (const char* pattern : kPicturePatterns) {
        const QString suffix = QString::fromLatin1(pattern + 1); // "*.jpg" -> ".jpg"
        QStringList matches;
        for (const QString& name : names) {
            if (name.endsWith(suffix, Qt::CaseInsensitive))
                matches << name;
        }
        std::sort(matches.begin(), matches.end(), ByName);
        for (const QString& name : matches) {
            QString path = dir.absoluteFilePath(name);
            if (path.size() > found.longest.size())
                found.longest = path;
            found.paths << std::move(path);
        }
        if (!allTypes)
            break;
    }
    return found;
}

QString DefaultPictureFolder(const QString& base)
{
    const QString wanted = QStringLiteral("wallpaper");
    const QDir dir(base);
    if (QFileInfo(dir.filePath(wanted)).isDir())
        return wanted + u'/';
    QStringList names = dir.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::NoSort);
    std::sort(names.begin(), names.end());
    for (const QString& name : names) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return name + u'/';
    }
    return wanted + u'/';
}
