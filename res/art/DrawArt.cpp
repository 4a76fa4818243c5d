// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws Quilvane's icons and bitmaps and writes them under a res/ folder:
//
//   icons/quilvane-N.png                          the program's icon, N pixels
//                                                 (its scalable form,
//                                                 quilvane.svg, is written by
//                                                 hand)
//   bitmaps/tabimages.bmp, .png                   the page tabs' image strip
//   bitmaps/lightbulb.bmp, .png                   the Tip of the Day bulb
//
// The files are checked in; run this only to redraw them:
//   quilvane_draw_art [res-folder]
// Without an argument it writes into the res/ folder this source lives in.
//
// The icon is ordinary antialiased 32-bit art, written at each size the
// program shows it at on screens of 100 %, 150 % and 200 %. The two bitmaps
// are drawn by res/PixelArt.cpp, which the program also draws them with at a
// screen's own scale; here they are checked against their palettes before
// they are written at scale 1.

#include "res/PixelArt.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <queue>
#include <vector>

namespace {

// Converts a drawing to an 8-bit indexed image with exactly this palette.
// Any pixel not in the palette is a drawing mistake and is reported.
bool ToIndexed(const QImage& drawn, const std::vector<QRgb>& palette, const char* name, QImage& out)
{
    out = QImage(drawn.size(), QImage::Format_Indexed8);
    out.setColorTable(QList<QRgb>(palette.begin(), palette.end()));
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb c = drawn.pixel(x, y) | 0xff000000u;
            const auto it = std::find(palette.begin(), palette.end(), c);
            if (it == palette.end()) {
                std::fprintf(stderr, "%s: pixel (%d,%d) #%06x is not in the palette\n", name, x, y,
                             static_cast<unsigned>(c & 0xffffffu));
                return false;
            }
            out.setPixel(x, y, static_cast<uint>(it - palette.begin()));
        }
    }
    return true;
}

// The dialog paints the bulb onto its own background by flood-filling from the
// top-left corner, so every white pixel must be reachable from there: a white
// pocket inside the drawing would stay white.
bool WhiteIsOneRegion(const QImage& image)
{
    const int w = image.width();
    const int h = image.height();
    std::vector<char> seen(static_cast<std::size_t>(w * h), 0);
    auto white = [&](int x, int y) { return (image.pixel(x, y) | 0xff000000u) == 0xffffffffu; };
    std::queue<QPoint> todo;
    if (white(0, 0)) {
        todo.push(QPoint(0, 0));
        seen[0] = 1;
    }
    while (!todo.empty()) {
        const QPoint p = todo.front();
        todo.pop();
        for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint q = p + d;
            if (q.x() < 0 || q.y() < 0 || q.x() >= w || q.y() >= h)
                continue;
            const std::size_t i = static_cast<std::size_t>(q.y() * w + q.x());
            if (!seen[i] && white(q.x(), q.y())) {
                seen[i] = 1;
                todo.push(q);
            }
        }
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (white(x, y) && !seen[static_cast<std::size_t>(y * w + x)]) {
                std::fprintf(stderr, "lightbulb: white pixel (%d,%d) is cut off from the surroundings\n", x, y);
                return false;
            }
    return true;
}

bool DrawTabImages(QImage& out)
{
    return ToIndexed(DrawTabStrip(1.0), TabPalette(), "tabimages", out);
}

bool DrawLightBulb(QImage& out)
{
    return ToIndexed(DrawBulbBitmap(1.0), BulbPalette(), "lightbulb", out) && WhiteIsOneRegion(out);
}

// ---------------------------------------------------------------------------
// The program's icon: a framed landscape in front of a holiday snapshot,
// laid out on a 32 pixel grid and drawn at size pixels.

// The sizes the program shows the icon at (16 and 32 at 100 %, 24 and 48 at
// 150 %, 32 and 64 at 200 %) and those desktops ask an icon theme for;
// res/CMakeLists.txt installs them and res/Pictures.cpp builds the program's
// own icon from them.
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// Paints the icon in its own 32-unit square. The scalable icon
// (icons/quilvane.svg) is this same drawing written out by hand, shape for
// shape, so the two must change together.
void PaintIcon(QPainter& p)
{
    // The snapshot behind: a sunset over the sea, on a tilted white print.
    p.save();
    p.translate(20.0, 10.5);
    p.rotate(9.0);
    const QRectF print(-10.5, -8.5, 21.0, 17.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRect(print.translated(0.8, 1.0));
    p.setBrush(QColor(0xfb, 0xfb, 0xf6));
    p.setPen(QPen(QColor(0x9a, 0x9a, 0x9a), 0.8));
    p.drawRect(print);
    const QRectF snap = print.adjusted(1.6, 1.6, -1.6, -1.6);
    QLinearGradient sky(snap.topLeft(), QPointF(snap.left(), snap.center().y() + 1.0));
    sky.setColorAt(0.0, QColor(0x7b, 0x4f, 0xb8));
    sky.setColorAt(0.55, QColor(0xf0, 0x6c, 0x6c));
    sky.setColorAt(1.0, QColor(0xff, 0xc0, 0x5a));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRect(snap);
    p.setClipRect(snap);
    p.setBrush(QColor(0xff, 0xe6, 0x8a));
    p.drawEllipse(QPointF(snap.center().x() + 3.0, snap.center().y() + 1.2), 3.0, 3.0);
    QLinearGradient sea(QPointF(0, snap.center().y() + 1.0), snap.bottomLeft());
    sea.setColorAt(0.0, QColor(0x3a, 0x5f, 0xb0));
    sea.setColorAt(1.0, QColor(0x1d, 0x2e, 0x6e));
    p.setBrush(sea);
    p.drawRect(QRectF(QPointF(snap.left(), snap.center().y() + 1.0), snap.bottomRight()));
    p.setPen(QPen(QColor(0xff, 0xd0, 0x80), 0.9));
    p.drawLine(QPointF(snap.center().x() + 1.0, snap.center().y() + 2.8),
               QPointF(snap.center().x() + 5.0, snap.center().y() + 2.8));
    p.restore();

    // The framed picture in front: a sunny day over green hills.
    const QRectF frame(1.5, 11.5, 22.0, 18.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(frame.translated(1.0, 1.2), 1.0, 1.0);
    QLinearGradient wood(frame.topLeft(), frame.bottomRight());
    wood.setColorAt(0.0, QColor(0xe0, 0xa0, 0x50));
    wood.setColorAt(1.0, QColor(0x9a, 0x5c, 0x24));
    p.setBrush(wood);
    p.setPen(QPen(QColor(0x55, 0x32, 0x12), 1.0));
    p.drawRoundedRect(frame, 1.0, 1.0);
    const QRectF picture = frame.adjusted(3.0, 3.0, -3.0, -3.0);
    p.setPen(QPen(QColor(0x6a, 0x40, 0x18), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(picture.adjusted(-0.5, -0.5, 0.5, 0.5));

    p.save();
    p.setClipRect(picture);
    QLinearGradient day(picture.topLeft(), picture.bottomLeft());
    day.setColorAt(0.0, QColor(0x3f, 0x9c, 0xf0));
    day.setColorAt(1.0, QColor(0xc4, 0xe8, 0xff));
    p.fillRect(picture, day);
    QRadialGradient glow(QPointF(picture.right() - 3.8, picture.top() + 3.2), 4.5);
    glow.setColorAt(0.0, QColor(255, 250, 200, 230));
    glow.setColorAt(1.0, QColor(255, 250, 200, 0));
    p.fillRect(picture, glow);
    p.setPen(QPen(QColor(0xf0, 0x90, 0x10), 0.7));
    p.setBrush(QColor(0xff, 0xd8, 0x2a));
    p.drawEllipse(QPointF(picture.right() - 3.8, picture.top() + 3.2), 2.2, 2.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8c, 0xd0, 0x50));
    p.drawEllipse(QPointF(picture.right() - 2.0, picture.bottom() + 3.0), 10.0, 7.0);
    QLinearGradient grass(QPointF(0, picture.bottom() - 6.0), picture.bottomLeft());
    grass.setColorAt(0.0, QColor(0x3c, 0xa0, 0x38));
    grass.setColorAt(1.0, QColor(0x1e, 0x6a, 0x24));
    p.setBrush(grass);
    p.drawEllipse(QPointF(picture.left() + 2.0, picture.bottom() + 4.5), 11.0, 7.0);
    p.restore();
}

// The icon at 22 pixels and up: the 32-unit drawing scaled, so the 32 pixel
// icon is exactly the one drawn for that size.
QImage DrawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(size / 32.0, size / 32.0);
    PaintIcon(p);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// At 16 pixels a scaled-down 32 turns to mush, so the small icon is laid out
// on the pixel grid by hand: the same two pictures, every edge on a pixel.
QImage DrawIcon16()
{
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    auto px = [&](int x, int y, int w, int h, QColor c) { p.fillRect(QRect(x, y, w, h), c); };

    // The snapshot behind, top right: a white print holding a sunset.
    px(7, 1, 9, 9, QColor(0x90, 0x90, 0x90));
    px(8, 2, 7, 7, QColor(0xfb, 0xfb, 0xf6));
    px(9, 3, 5, 1, QColor(0x8a, 0x58, 0xb8));
    px(9, 4, 5, 1, QColor(0xf0, 0x6c, 0x6c));
    px(9, 5, 5, 1, QColor(0xff, 0xb8, 0x58));
    px(11, 5, 2, 1, QColor(0xff, 0xe6, 0x8a));
    px(9, 6, 5, 2, QColor(0x2c, 0x48, 0x98));
    px(10, 6, 3, 1, QColor(0xff, 0xd0, 0x80));

    // The frame in front, bottom left, with its shadow.
    px(1, 15, 12, 1, QColor(0, 0, 0, 80));
    px(12, 6, 1, 9, QColor(0, 0, 0, 80));
    px(0, 5, 12, 10, QColor(0x55, 0x32, 0x12));
    px(1, 6, 10, 8, QColor(0xd8, 0x96, 0x48));
    px(1, 13, 10, 1, QColor(0xa8, 0x68, 0x2c));
    px(10, 6, 1, 8, QColor(0xa8, 0x68, 0x2c));

    // The picture: sky, sun, two hills.
    px(2, 7, 8, 6, QColor(0x8c, 0xcc, 0xff));
    px(2, 7, 8, 2, QColor(0x50, 0xa6, 0xf0));
    px(7, 8, 2, 2, QColor(0xff, 0xd8, 0x2a));
    px(7, 8, 1, 1, QColor(0xff, 0xf0, 0x90));
    px(6, 10, 4, 1, QColor(0x8c, 0xd0, 0x50));
    px(5, 11, 5, 2, QColor(0x8c, 0xd0, 0x50));
    px(2, 10, 3, 1, QColor(0x3c, 0xa0, 0x38));
    px(2, 11, 5, 1, QColor(0x3c, 0xa0, 0x38));
    px(2, 12, 6, 1, QColor(0x2a, 0x80, 0x2c));
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

bool Save(const QImage& image, const QString& path, const char* format)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !image.save(path, format)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(QDir::toNativeSeparators(path)));
        return false;
    }
    std::printf("wrote %s\n", qPrintable(QDir::toNativeSeparators(path)));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::fprintf(stderr, "usage: %s [res-folder]\n", argv[0]);
        return 2;
    }
    // Our own res/ folder: this file sits in res/art/.
    const QString res =
        argc == 2 ? QString::fromLocal8Bit(argv[1])
                  : QDir::cleanPath(QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + QStringLiteral("/.."));
    const QDir dir(res);

    QImage tabs;
    QImage bulb;
    if (!DrawTabImages(tabs) || !DrawLightBulb(bulb))
        return 1;

    bool ok = Save(DrawIcon16(), dir.filePath(QStringLiteral("icons/quilvane-16.png")), "PNG");
    for (const int size : kIconSizes) {
        if (size != 16)
            ok = Save(DrawIcon(size), dir.filePath(QStringLiteral("icons/quilvane-%1.png").arg(size)), "PNG") && ok;
    }
    ok = Save(tabs, dir.filePath(QStringLiteral("bitmaps/tabimages.bmp")), "BMP") && ok;
    ok = Save(tabs, dir.filePath(QStringLiteral("bitmaps/tabimages.png")), "PNG") && ok;
    ok = Save(bulb, dir.filePath(QStringLiteral("bitmaps/lightbulb.bmp")), "BMP") && ok;
    ok = Save(bulb, dir.filePath(QStringLiteral("bitmaps/lightbulb.png")), "PNG") && ok;
    return ok ? 0 : 1;
}
