// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Which files are pictures: the one table of picture patterns, the file
// dialogs' filter built from it, the type a name asks for, the folder the
// wallpapers go to, and the folder scanner both pages fill their lists with.
// A new picture format is one row of the table.

#include <QString>
#include <QStringList>

#include <span>

// Picture type codes. A file's extension picks one (FindType); CxImage::Load
// takes it as a hint and then believes the file's content. `.dib` is a BMP
// and `.jpeg` a JPEG, so they share those codes.
inline constexpr int CXIMAGE_FORMAT_UNKNOWN = 0;
inline constexpr int CXIMAGE_FORMAT_BMP = 1;
inline constexpr int CXIMAGE_FORMAT_GIF = 2;
inline constexpr int CXIMAGE_FORMAT_JPG = 3;
inline constexpr int CXIMAGE_FORMAT_PNG = 4;

struct PicturePattern {
    const char* pattern; // "*.ext"
    int type;            // the CXIMAGE_FORMAT_ code files of this pattern ask for
    int filterPlace;     // where the pattern stands in the file dialogs' filter
};

// The patterns in the order the lists offer their files.
std::span<const PicturePattern> PicturePatterns();

// The file dialogs' picture filter in "text|patterns||" form, the patterns
// after the name: "SRC(*.bmp;*.jpg;...)| *.bmp;*.jpg;...||".
QString PictureDialogFilter(const QString& name = QStringLiteral("SRC"));

// The text after the last '.' of the file name, without the dot; empty when
// the name has none. Only the last path component counts (both '/' and '\\'
// separate components), so "C:\\my.photos\\beach" has no extension.
QString FindExtension(const QString& fileName);

// The type code for an extension such as "jpg" (no dot); CXIMAGE_FORMAT_UNKNOWN
// for anything we do not read. Callers pass lower case, but upper case is
// accepted too: "PHOTO.JPG" is an ordinary camera file name.
int FindType(const QString& lowerCaseExt);

// The type code a file's name asks for: FindType of its lower-cased
// FindExtension; CXIMAGE_FORMAT_UNKNOWN for a name that is no picture's.
int PictureTypeOf(const QString& fileName);

// The name of the folder the design page writes its wallpapers into.
inline constexpr const char* kWallpaperFolderName = "wallpaper";

// That folder as a relative path ending in '/': an existing folder named
// "wallpaper" in any letter case directly under base, the lower-case one
// first, or "wallpaper/" when there is none yet.
QString DefaultPictureFolder(const QString& base = QStringLiteral("."));

struct PictureScan {
    // False: the first pattern ("*.bmp") only.
    bool allTypes = true;
    // Folders and special files named like pictures are listed too, as a
    // wildcard search over the folder finds them.
    bool everyEntry = false;
    // Within one pattern, matches in name order; otherwise in the order the
    // file system keeps them.
    bool byName = true;
};

struct PictureFiles {
    QStringList paths;
    // The first of the longest paths found.
    QString longest;
};

// The paths (folder joined with the name, so relative when folder is) of the
// entries in folder that match the patterns, pattern by pattern, read in one
// pass over the folder. A pattern matches whatever the
// letter case of the name ("BEACH.JPG" is a "*.jpg"). A folder that does not
// exist gives an empty list.
PictureFiles FindPictureFiles(const QString& folder, const PictureScan& scan = {});
