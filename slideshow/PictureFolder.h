#pragma once

// Finding the pictures of a folder for the slide-show page's file list, free
// of window code.

#include <QString>
#include <QStringList>

// The picture patterns in the order the file list offers them.
inline constexpr const char* kPicturePatterns[] = {"*.bmp", "*.jpg", "*.jpeg", "*.gif", "*.dib", "*.png"};

struct PictureFiles {
    QStringList paths;
    // The first of the longest paths found.
    QString longest;
};

// Full paths of the files in folder that match the patterns (only "*.bmp"
// when allTypes is false), pattern by pattern. A pattern matches whatever the
// letter case of the name ("BEACH.JPG" is a "*.jpg"), and the matches of one
// pattern come in name order, so the list does not depend on the order in
// which the file system happens to keep its entries. Folders are not listed,
// whatever their names. A folder that does not exist gives an empty list.
PictureFiles FindPictureFiles(const QString& folder, bool allTypes);

// The folder the design page writes its wallpapers into, as a relative path
// ending in '/': an existing folder named "wallpaper" in any letter case
// directly under base, the lower-case one first, or "wallpaper/" when there is
// none yet.
QString DefaultPictureFolder(const QString& base = QStringLiteral("."));
