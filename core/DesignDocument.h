// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Design documents (".qvdesign"): a design kept so it can be opened and
// changed again, free of window code.
//
// A document is JSON:
//
//     {
//       "format": "quilvane-design",
//       "version": 1,
//       "background": {"file": "beach.jpg", "width": 3840, "height": 2160},
//       "photos": [
//         {"file": "photos/ann.jpg", "x": 120.5, "y": 80, "width": 960, "height": 640,
//          "edits": ["mirror", "grayScale"], "decodeBox": [960, 640]}
//       ]
//     }
//
// Photos are in drawing order, bottom first, their places in the background's
// pixels. A file below the document's folder is written relative to it, so a
// folder moved with its photos still opens; any other file is written
// absolute. A name whose bytes are not UTF-8 is written as "fileBytes", its
// bytes in base64, instead of "file". A background without either is the
// built-in one. "decodeBox" is the box the photo's file was decoded to fit
// (upright, before the edits): a reopened design holds the very pixels it
// had, so it draws and saves exactly as before.

#include "core/SceneObject.h"

#include <QByteArray>
#include <QRectF>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

inline constexpr int kDesignFormatVersion = 1;
inline constexpr const char* kDesignExtension = ".qvdesign";
// Larger files are refused unread.
inline constexpr qint64 kMaxDesignFileBytes = qint64{16} << 20;
inline constexpr int kMaxDesignPhotos = 1000;
inline constexpr int kMaxPhotoEdits = 10000;
// Places beyond this (in background pixels) are not of any design.
inline constexpr double kMaxDesignCoordinate = 1e9;
inline constexpr int kMaxDesignSide = 65535;

struct DesignPhoto {
    QString path;
    QRectF rect; // background pixels
    std::vector<PhotoEdit> edits;
    QSize decodeBox; // empty: decode to fit the place

    bool operator==(const DesignPhoto&) const = default;
};

struct Design {
    QString backgroundPath; // empty: the built-in background
    QSize backgroundSize;
    std::vector<DesignPhoto> photos;

    bool operator==(const Design&) const = default;
};

struct DesignReading {
    std::optional<Design> design;
    // Why there is none: one sentence for the user, plain text.
    QString error;
};

// The document's bytes, paths written relative to folder where they lie
// below it.
QByteArray FormatDesign(const Design& design, const QString& folder);

// Reads a document's bytes; relative paths are taken from folder. Nothing,
// and the reason, for anything that is not a whole, valid document of a
// version this program knows. name is the document's name in the reason.
DesignReading ParseDesign(const QByteArray& bytes, const QString& folder, const QString& name);

// Opens path as a regular file (a FIFO or device is refused without blocking
// on it), reads at most kMaxDesignFileBytes and parses it.
DesignReading ReadDesignFile(const QString& path);

// Writes the document through a temporary file renamed into place: a failure
// leaves an existing file as it was and says why in *error.
bool WriteDesignFile(const QString& path, const Design& design, QString* error = nullptr);

// The edits' names in documents ("mirror", "grayScale", ...).
const char* PhotoEditName(PhotoEdit edit);
std::optional<PhotoEdit> PhotoEditFromName(QStringView name);
