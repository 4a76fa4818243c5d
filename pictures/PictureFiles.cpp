// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/PictureFiles.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr std::array kPatterns{
    PicturePattern{"*.bmp", CXIMAGE_FORMAT_BMP, 0},  PicturePattern{"*.jpg", CXIMAGE_FORMAT_JPG, 1},
    PicturePattern{"*.jpeg", CXIMAGE_FORMAT_JPG, 2}, PicturePattern{"*.gif", CXIMAGE_FORMAT_GIF, 3},
    PicturePattern{"*.dib", CXIMAGE_FORMAT_BMP, 5},  PicturePattern{"*.png", CXIMAGE_FORMAT_PNG, 4},
};

bool ByName(const QString& a, const QString& b)
{
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

// "*.jpg" -> ".jpg": the star matches any start, the empty one too.
QLatin1StringView Suffix(const PicturePattern& p)
{
    return QLatin1StringView(p.pattern + 1);
}

} // namespace

std::span<const PicturePattern> PicturePatterns()
{
    return kPatterns;
}

QString PictureDialogFilter(const QString& name)
{
    std::vector<const PicturePattern*> ordered;
    for (const PicturePattern& p : kPatterns)
        ordered.push_back(&p);
    std::sort(ordered.begin(), ordered.end(),
              [](const PicturePattern* a, const PicturePattern* b) { return a->filterPlace < b->filterPlace; });
    QStringList patterns;
    for (const PicturePattern* p : ordered)
        patterns << QLatin1StringView(p->pattern);
    const QString joined = patterns.join(u';');
    return QStringLiteral("%1(%2)| %2||").arg(name, joined);
}

QString FindExtension(const QString& fileName)
{
    const qsizetype slash = std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0 || dot < slash)
        return {};
    return fileName.mid(dot + 1);
}

int FindType(const QString& lowerCaseExt)
{
    if (lowerCaseExt.isEmpty())
        return CXIMAGE_FORMAT_UNKNOWN;
    for (const PicturePattern& p : kPatterns) {
        if (QLatin1StringView(p.pattern + 2).compare(lowerCaseExt, Qt::CaseInsensitive) == 0)
            return p.type;
    }
    return CXIMAGE_FORMAT_UNKNOWN;
}

int PictureTypeOf(const QString& fileName)
{
    return FindType(FindExtension(fileName));
}

QString DefaultPictureFolder(const QString& base)
{
    const QString wanted = QLatin1StringView(kWallpaperFolderName);
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

PictureFiles FindPictureFiles(const QString& folder, const PictureScan& scan)
{
    PictureFiles found;
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return found;
    const QDir::Filters filter = scan.everyEntry ? QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System
                                                 : QDir::Files | QDir::Hidden;
    // One pass over the folder; the patterns then pick from the names, each
    // name going to the first pattern it matches.
    const QStringList names = dir.entryList(filter, QDir::NoSort);
    std::vector<QStringList> matches(kPatterns.size());
    for (const QString& name : names) {
        for (std::size_t i = 0; i < kPatterns.size(); ++i) {
            if (name.endsWith(Suffix(kPatterns[i]), Qt::CaseInsensitive)) {
                matches[i] << name;
                break;
            }
        }
    }
    const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
    const std::size_t patterns = scan.allTypes ? kPatterns.size() : 1;
    for (std::size_t i = 0; i < patterns; ++i) {
        if (scan.byName)
            std::sort(matches[i].begin(), matches[i].end(), ByName);
        for (const QString& name : matches[i]) {
            QString path = prefix + name;
            if (path.size() > found.longest.size())
                found.longest = path;
            found.paths << std::move(path);
        }
    }
    return found;
}
