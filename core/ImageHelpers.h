#pragma once

// Small helpers around picture files: which format a file name asks for, and
// how a picture is fitted into a rectangle.

#include "platform/Geometry.h"

#include <QImage>
#include <QSize>
#include <QString>

// Picture type codes. A file's extension picks one (FindType); CxImage::Load
// takes it as a hint and then believes the file's content. `.dib` is a BMP
// and `.jpeg` a JPEG, so they share those codes.
inline constexpr int CXIMAGE_FORMAT_UNKNOWN = 0;
inline constexpr int CXIMAGE_FORMAT_BMP = 1;
inline constexpr int CXIMAGE_FORMAT_GIF = 2;
inline constexpr int CXIMAGE_FORMAT_JPG = 3;
inline constexpr int CXIMAGE_FORMAT_PNG = 4;

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

// A rectangle with src's aspect ratio, as large as fits inside dst and centred
// in it; scale receives the factor from src's size to the result's size.
// Smaller sources are enlarged, larger ones reduced.
//
// Rounding: the side that limits the fit fills dst exactly; the other side is
// the exact proportional length rounded to the nearest pixel (halves up),
// clamped to at least 1 and at most dst's side. The leftover space is split
// with the smaller half (floor) on the left/top, so an odd pixel goes to the
// right/bottom.
//
// When src or dst is empty (or has a side longer than INT_MAX) nothing can be
// fitted: the result is an empty rectangle at dst's top-left corner and scale
// is 0, so a caller mapping points back through the scale must check for that.
CRect ResizeRect(const CRect& src, const CRect& dst, float& scale);
