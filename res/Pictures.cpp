#include "res/Pictures.h"

#include "res/Resource.h"

QIcon LoadAppIcon()
{
    // Every size the desktop's icon theme gets (res/CMakeLists.txt), so the
    // window, the task bar and the tray show the very pixels drawn for the
    // size they ask for, never a scaled neighbour.
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/res/icons/quilvane-%1.png").arg(size), QSize(size, size));
    return icon;
}

QImage LoadBitmapResource(int id)
{
    switch (id) {
    case IDB_TAB_IMAGES:
        return QImage(QStringLiteral(":/res/bitmaps/tabimages.bmp"));
    case IDB_LIGHTBULB:
        return QImage(QStringLiteral(":/res/bitmaps/lightbulb.bmp"));
    default:
        return {};
    }
}

QPixmap StripImage(const QImage& strip, int imageWidth, int index, QRgb transparent)
{
    if (strip.isNull() || imageWidth <= 0 || index < 0 || (index + 1) * imageWidth > strip.width())
        return {};
    QImage part = strip.copy(index * imageWidth, 0, imageWidth, strip.height()).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < part.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
        for (int x = 0; x < part.width(); ++x) {
            if ((line[x] & 0x00FFFFFF) == (transparent & 0x00FFFFFF))
                line[x] = 0;
        }
    }
    return QPixmap::fromImage(part);
}
