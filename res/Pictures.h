#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

// The program's icon (resource 128) at every size it is drawn at.
QIcon LoadAppIcon();

// A bitmap resource (144 or 1037) as drawn; a null image for other ids.
QImage LoadBitmapResource(int id);

// Image index of a strip of square images side by side, with every pixel of
// the transparent colour made transparent.
QPixmap StripImage(const QImage& strip, int imageWidth, int index, QRgb transparent);
