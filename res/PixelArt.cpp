// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's two palette bitmaps, the page tabs' image strip and the Tip
// of the Day light bulb, drawn pixel by pixel from shapes at any scale.
//
// They are used the old way: the tab strip's magenta is keyed out as
// transparent and the Tip of the Day dialog flood-fills the bulb's white
// surroundings with its own colour. Antialiasing would leave near-magenta and
// near-white fringes that survive both, so every pixel takes one colour of a
// small palette. At scale 1 they are the files under res/bitmaps/ (the art
// program writes those from here); at a higher scale the same shapes are
// asked at the device pixels, so a 200 % screen gets twice the detail rather
// than doubled pixels.

#include "res/PixelArt.h"

#include <QColor>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

// ---------------------------------------------------------------------------
// Pixel art helpers for the palette bitmaps.

// A shape answers whether a point, in the cell's own coordinates, is inside.
// It is asked at pixel centres ((x + 0.5, y + 0.5) at scale 1), so a
// symmetric shape about the middle of an even-sized cell comes out exactly
// symmetric.
using Shape = std::function<bool(double x, double y)>;

// The length of (dx, dy): the shapes are asked this at every pixel, and
// std::hypot's care for huge values costs more than all the rest.
double Distance(double dx, double dy)
{
    return std::sqrt(dx * dx + dy * dy);
}

Shape Disc(double cx, double cy, double r)
{
    return [=](double x, double y) { return Distance(x - cx, y - cy) < r; };
}

Shape Ellipse(double cx, double cy, double rx, double ry)
{
    return [=](double x, double y) {
        const double dx = (x - cx) / rx;
        const double dy = (y - cy) / ry;
        return dx * dx + dy * dy < 1.0;
    };
}

Shape Box(double left, double top, double right, double bottom)
{
    return [=](double x, double y) { return x > left && x < right && y > top && y < bottom; };
}

Shape RoundBox(double left, double top, double right, double bottom, double radius)
{
    return [=](double x, double y) {
        if (!(x > left && x < right && y > top && y < bottom))
            return false;
        const double nx = std::clamp(x, left + radius, right - radius);
        const double ny = std::clamp(y, top + radius, bottom - radius);
        return Distance(x - nx, y - ny) < radius;
    };
}

// A thick line: every point closer than halfWidth to the segment a-b.
Shape Stroke(QPointF a, QPointF b, double halfWidth)
{
    return [=](double x, double y) {
        const QPointF d = b - a;
        const QPointF p = QPointF(x, y) - a;
        const double len2 = QPointF::dotProduct(d, d);
        const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(p, d) / len2, 0.0, 1.0) : 0.0;
        const QPointF n = p - t * d;
        return Distance(n.x(), n.y()) < halfWidth;
    };
}

Shape Polygon(const QPolygonF& polygon)
{
    return [=](double x, double y) { return polygon.containsPoint(QPointF(x, y), Qt::OddEvenFill); };
}

Shape Union(Shape a, Shape b)
{
    return [=](double x, double y) { return a(x, y) || b(x, y); };
}

Shape Intersect(Shape a, Shape b)
{
    return [=](double x, double y) { return a(x, y) && b(x, y); };
}

Shape Minus(Shape a, Shape b)
{
    return [=](double x, double y) { return a(x, y) && !b(x, y); };
}

// The band along the edge of a shape that faces away from (dx, dy): the part
// of the shape that the same shape moved by (dx, dy) does not cover. Used for
// the shaded side of a round thing lit from the upper left.
Shape Rim(Shape a, double dx, double dy)
{
    return [=](double x, double y) { return a(x, y) && !a(x + dx, y + dy); };
}

// Paints one cell of a palette bitmap at a scale: the cell's own coordinates
// (logical pixels) are asked at the centres of the device pixels that cover
// them, so the same shapes come out with finer steps at a higher scale
// instead of doubled pixels. Every pixel is set to one opaque colour, so the
// only colours that can appear are the ones passed in. At scale 1
// every device pixel is a logical one.
class PixelCanvas {
public:
    // Paints into image (32-bit), the cell's top-left corner at origin.
    PixelCanvas(QImage& image, QPoint origin, QSize logical, QSize device)
        : m_image(image), m_origin(origin), m_size(device),
          m_scaleX(static_cast<double>(device.width()) / logical.width()),
          m_scaleY(static_cast<double>(device.height()) / logical.height()),
          // Lines keep their weight: as many device pixels as one logical
          // pixel is wide, at least one.
          m_weight(std::max(1, static_cast<int>(std::lround(std::min(m_scaleX, m_scaleY)))))
    {
    }

    void Fill(const Shape& shape, QRgb colour) { FillWithin(shape, colour, QRect(QPoint(0, 0), m_size)); }

    // The shape's own outermost pixels: those with a 4-neighbour outside it
    // (within a line's weight). Outlining the union of a figure's parts draws
    // one closed line around the whole figure, with no seams where the parts
    // meet.
    void Outline(const Shape& shape, QRgb colour)
    {
        ForEachPixel([&](int x, int y) {
            if (!Inside(shape, x, y))
                return;
            for (int d = 1; d <= m_weight; ++d) {
                if (!Inside(shape, x - d, y) || !Inside(shape, x + d, y) || !Inside(shape, x, y - d) ||
                    !Inside(shape, x, y + d)) {
                    PlotDevice(x, y, colour);
                    return;
                }
            }
        });
    }

    // A one pixel line through pixel centres, both ends included.
    void Line(QPoint a, QPoint b, QRgb colour)
    {
        if (OneToOne()) {
            QPainter painter(&m_image);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(QPen(QColor::fromRgb(colour), 1, Qt::SolidLine, Qt::SquareCap));
            painter.drawLine(a + m_origin, b + m_origin);
            return;
        }
        // The band one logical pixel wide about the line through the two
        // pixel centres, its square ends half a pixel past them.
        const QPointF from = QPointF(a) + QPointF(0.5, 0.5);
        const QPointF along = QPointF(b - a);
        const double length = std::hypot(along.x(), along.y());
        const QPointF u = length > 0 ? along / length : QPointF(1, 0);
        // Only the pixels near the line are asked.
        const QRectF near = QRectF(QPointF(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                                   QPointF(std::max(a.x(), b.x()) + 1, std::max(a.y(), b.y()) + 1))
                                .adjusted(-1, -1, 1, 1);
        const QRect device(static_cast<int>(std::floor(near.left() * m_scaleX)),
                           static_cast<int>(std::floor(near.top() * m_scaleY)),
                           static_cast<int>(std::ceil(near.width() * m_scaleX)) + 1,
                           static_cast<int>(std::ceil(near.height() * m_scaleY)) + 1);
        FillWithin(
            [=](double x, double y) {
                const QPointF p = QPointF(x, y) - from;
                const double t = QPointF::dotProduct(p, u);
                const double q = p.y() * u.x() - p.x() * u.y();
                return t >= -0.5 && t < length + 0.5 && q >= -0.5 && q < 0.5;
            },
            colour, device);
    }

    void Polyline(const std::vector<QPoint>& points, QRgb colour)
    {
        for (std::size_t i = 1; i < points.size(); ++i)
            Line(points[i - 1], points[i], colour);
    }

    // One logical pixel.
    void Plot(int x, int y, QRgb colour)
    {
        const QPoint from(static_cast<int>(std::lround(x * m_scaleX)), static_cast<int>(std::lround(y * m_scaleY)));
        const QPoint to(static_cast<int>(std::lround((x + 1) * m_scaleX)),
                        static_cast<int>(std::lround((y + 1) * m_scaleY)));
        for (int dy = from.y(); dy < to.y(); ++dy)
            for (int dx = from.x(); dx < to.x(); ++dx)
                PlotDevice(dx, dy, colour);
    }

private:
    bool OneToOne() const { return m_scaleX == 1.0 && m_scaleY == 1.0; }

    // Fill, asking only the device pixels of area.
    void FillWithin(const Shape& shape, QRgb colour, const QRect& area)
    {
        const QRect pixels = area & QRect(QPoint(0, 0), m_size);
        for (int y = pixels.top(); y <= pixels.bottom(); ++y)
            for (int x = pixels.left(); x <= pixels.right(); ++x)
                if (Inside(shape, x, y))
                    PlotDevice(x, y, colour);
    }

    void PlotDevice(int x, int y, QRgb colour)
    {
        if (x >= 0 && y >= 0 && x < m_size.width() && y < m_size.height())
            reinterpret_cast<QRgb*>(m_image.scanLine(m_origin.y() + y))[m_origin.x() + x] = colour;
    }

    bool Inside(const Shape& shape, int x, int y) const
    {
        return x >= 0 && y >= 0 && x < m_size.width() && y < m_size.height() &&
               shape((x + 0.5) / m_scaleX, (y + 0.5) / m_scaleY);
    }

    template <typename F> void ForEachPixel(F f) const
    {
        for (int y = 0; y < m_size.height(); ++y)
            for (int x = 0; x < m_size.width(); ++x)
                f(x, y);
    }

    QImage& m_image;
    QPoint m_origin;
    QSize m_size; // device pixels
    double m_scaleX;
    double m_scaleY;
    int m_weight;
};

// ---------------------------------------------------------------------------
// The tab strip: four 32x32 pictures on magenta.

namespace tab {
constexpr QRgb Magenta = kTabTransparent;
constexpr QRgb Black = 0xff000000;
constexpr QRgb White = 0xffffffff;
constexpr QRgb DarkGray = 0xff404040;
constexpr QRgb Gray = 0xff808080;
constexpr QRgb Silver = 0xffc0c0c0;
constexpr QRgb Yellow = 0xffffe020;
constexpr QRgb LightYellow = 0xffffffa0;
constexpr QRgb Gold = 0xffd09800;
constexpr QRgb Orange = 0xffff8020;
constexpr QRgb Red = 0xffe82020;
constexpr QRgb DarkRed = 0xff880010;
constexpr QRgb Green = 0xff20c040;
constexpr QRgb DarkGreen = 0xff086020;
constexpr QRgb Blue = 0xff2060e0;
constexpr QRgb LightBlue = 0xff88c0ff;

constexpr int Cell = kTabCell;
constexpr double Mid = Cell / 2.0;
} // namespace tab

void DrawSmile(PixelCanvas& c)
{
    using namespace tab;
    const Shape face = Disc(Mid, Mid, 14.6);
    c.Fill(face, Yellow);
    c.Fill(Rim(face, 2.2, 2.2), Gold);
    c.Fill(Intersect(face, Ellipse(10.0, 8.0, 4.0, 2.4)), LightYellow);
    c.Outline(face, Black);

    // Rosy cheeks under the eyes, outside the mouth.
    c.Fill(Ellipse(7.0, 17.0, 2.2, 1.4), Orange);
    c.Fill(Ellipse(Cell - 7.0, 17.0, 2.2, 1.4), Orange);

    for (const double ex : {12.0, Cell - 12.0}) {
        c.Fill(Ellipse(ex, 11.5, 1.9, 3.4), Black);
        c.Plot(static_cast<int>(ex) - 1, 9, White);
    }

    // An open grin: the lower half of a disc, with teeth and a tongue.
    const Shape mouth = Intersect(Disc(Mid, 17.0, 9.2), Box(0, 17.0, Cell, Cell));
    c.Fill(mouth, DarkRed);
    c.Fill(Intersect(mouth, Box(0, 17.0, Cell, 20.0)), White);
    c.Fill(Intersect(mouth, Disc(Mid, 27.5, 4.8)), Red);
    c.Outline(mouth, Black);
}

// A light bulb shape shared by the tab picture and the Tip of the Day bitmap,
// which differ only in size and palette.
struct BulbLook {
    double cx;       // middle line
    double cy;       // centre of the round part of the glass
    double r;        // its radius
    double neckHalf; // half width where the glass meets the screw base
    double neckY;    // where it meets the base
    int baseRows;    // height of the screw base
    double baseHalf; // its half width
    int tipRows;     // height of the contact at the bottom
    QRgb outline, glass, glassShade, glassLight, glassGlint, post, filament;
    QRgb metalLight, metalDark, metalGroove, tip;
};

void DrawBulb(PixelCanvas& c, const BulbLook& b)
{
    // The glass: a circle that narrows smoothly into the neck, as a real
    // bulb does, instead of a circle stuck on a rectangle.
    const double taperTop = b.cy + 0.45 * b.r;
    const double taperHalf = b.r * std::sqrt(1.0 - 0.45 * 0.45);
    const Shape neck = [=](double x, double y) {
        if (y < taperTop || y > b.neckY)
            return false;
        const double t = (y - taperTop) / (b.neckY - taperTop);
        const double half = b.neckHalf + (taperHalf - b.neckHalf) * (1.0 + std::cos(t * std::numbers::pi)) / 2.0;
        return std::abs(x - b.cx) < half;
    };
    const Shape glass = Union(Disc(b.cx, b.cy, b.r), neck);
    const double baseBottom = b.neckY + b.baseRows;
    const Shape base = Box(b.cx - b.baseHalf, b.neckY, b.cx + b.baseHalf, baseBottom);
    const double tipHalf = b.baseHalf * 0.55;
    const Shape tipShape = RoundBox(b.cx - tipHalf, baseBottom - 1.0, b.cx + tipHalf, baseBottom + b.tipRows, 1.5);
    const Shape whole = Union(Union(glass, base), tipShape);

    c.Fill(glass, b.glass);
    c.Fill(Rim(glass, 0.16 * b.r, 0.14 * b.r), b.glassShade);

    // Filament: two posts rising from the neck, a coil strung between them.
    const int left = static_cast<int>(b.cx) - 3;
    const int right = static_cast<int>(b.cx) + 2;
    const int coilY = static_cast<int>(b.cy + 0.25 * b.r);
    const int neckRow = static_cast<int>(b.neckY) - 1;
    c.Line(QPoint(left, neckRow), QPoint(left, coilY), b.post);
    c.Line(QPoint(right, neckRow), QPoint(right, coilY), b.post);
    c.Polyline({QPoint(left, coilY), QPoint(left + 1, coilY - 2), QPoint(left + 2, coilY), QPoint(right - 2, coilY),
                QPoint(right - 1, coilY - 2), QPoint(right, coilY)},
               b.filament);

    // Reflection of the window on the upper left of the glass.
    const double hx = b.cx - 0.45 * b.r;
    const double hy = b.cy - 0.3 * b.r;
    c.Fill(Ellipse(hx, hy, 0.24 * b.r, 0.42 * b.r), b.glassLight);
    c.Fill(Ellipse(hx - 0.03 * b.r, hy - 0.12 * b.r, 0.11 * b.r, 0.2 * b.r), b.glassGlint);

    // Screw base: lit from the left, with grooves every other row.
    for (int row = 0; row < b.baseRows; ++row) {
        const double y = b.neckY + row;
        const bool groove = row % 2 == 1;
        c.Fill(Intersect(base, Box(0, y, b.cx + b.baseHalf, y + 1.0)), groove ? b.metalGroove : b.metalLight);
        c.Fill(Intersect(base, Box(b.cx + b.baseHalf * 0.35, y, b.cx + b.baseHalf, y + 1.0)),
               groove ? b.outline : b.metalDark);
    }
    c.Fill(Minus(tipShape, base), b.tip);
    c.Outline(whole, b.outline);
}

void DrawBulbTab(PixelCanvas& c)
{
    using namespace tab;
    BulbLook b{};
    b.cx = Mid;
    b.cy = 11.0;
    b.r = 9.7;
    b.neckHalf = 4.6;
    b.neckY = 22.0;
    b.baseRows = 6;
    b.baseHalf = 5.0;
    b.tipRows = 3;
    b.outline = Black;
    b.glass = Yellow;
    b.glassShade = Gold;
    b.glassLight = LightYellow;
    b.glassGlint = White;
    b.post = Gray;
    b.filament = Orange;
    b.metalLight = Silver;
    b.metalDark = Gray;
    b.metalGroove = DarkGray;
    b.tip = DarkGray;
    DrawBulb(c, b);

    // Short rays: the bulb is lit.
    c.Line(QPoint(1, 10), QPoint(3, 10), Orange);
    c.Line(QPoint(Cell - 2, 10), QPoint(Cell - 4, 10), Orange);
    c.Line(QPoint(2, 2), QPoint(4, 4), Orange);
    c.Line(QPoint(Cell - 3, 2), QPoint(Cell - 5, 4), Orange);
    c.Line(QPoint(1, 18), QPoint(3, 17), Orange);
    c.Line(QPoint(Cell - 2, 18), QPoint(Cell - 4, 17), Orange);
}

void DrawClock(PixelCanvas& c)
{
    using namespace tab;
    const Shape body = Disc(Mid, Mid, 14.6);
    const Shape face = Disc(Mid, Mid, 11.8);
    c.Fill(body, Blue);
    // The rim catches the light on its upper left.
    c.Fill(Minus(Intersect(body, [](double x, double y) { return (x - Mid) + (y - Mid) < -9.5; }), face), LightBlue);
    c.Outline(body, Black);
    c.Fill(face, White);
    // The rim throws a little shadow across the face's upper left.
    c.Fill(Minus(face, Disc(Mid + 1.0, Mid + 1.0, 11.6)), Silver);
    c.Outline(face, DarkGray);

    // Hour marks: the quarters long and black, the rest single grey dots.
    for (int hour = 0; hour < 12; ++hour) {
        const double a = hour * std::numbers::pi / 6.0;
        const QPointF dir(std::sin(a), -std::cos(a));
        const QPointF centre(Mid, Mid);
        if (hour % 3 == 0)
            c.Fill(Stroke(centre + dir * 8.6, centre + dir * 10.2, 0.9), Black);
        else
            c.Fill(Disc(Mid + dir.x() * 9.6, Mid + dir.y() * 9.6, 0.75), Gray);
    }

    // Ten past ten, the friendly time clocks are shown at.
    const QPointF centre(Mid, Mid);
    auto hand = [&](double hours, double length) {
        const double a = hours * std::numbers::pi / 6.0;
        return centre + QPointF(std::sin(a), -std::cos(a)) * length;
    };
    c.Fill(Stroke(centre, hand(10.2, 6.0), 1.1), Black);
    c.Fill(Stroke(centre, hand(2.0, 8.6), 0.8), Black);
    c.Line(QPoint(16, 16), hand(7.0, 9.0).toPoint(), Red);
    c.Fill(Disc(Mid, Mid, 1.5), DarkRed);
}

void DrawTrafficLight(PixelCanvas& c)
{
    using namespace tab;
    const double lampY[] = {6.5, 16.0, 25.5};
    const double lampR = 4.2;

    // Sun shields on the left and right of each lamp.
    Shape ears = [](double, double) { return false; };
    for (const double y : lampY) {
        ears = Union(ears, Polygon(QPolygonF({QPointF(9.0, y - 4.0), QPointF(4.5, y - 4.0), QPointF(9.0, y + 1.5)})));
        ears = Union(ears, Polygon(QPolygonF({QPointF(Cell - 9.0, y - 4.0), QPointF(Cell - 4.5, y - 4.0),
                                              QPointF(Cell - 9.0, y + 1.5)})));
    }
    c.Fill(ears, Gray);
    c.Outline(ears, Black);

    const Shape housing = RoundBox(8.5, 1.0, Cell - 8.5, 31.0, 3.0);
    c.Fill(housing, DarkGray);
    c.Fill(Intersect(housing, Box(9.0, 3.0, 11.0, 29.0)), Gray);
    c.Outline(housing, Black);

    struct Lamp {
        QRgb lit, shade;
    };
    const Lamp lamps[] = {{Red, DarkRed}, {Yellow, Gold}, {Green, DarkGreen}};
    for (int i = 0; i < 3; ++i) {
        const Shape lamp = Disc(Mid, lampY[i], lampR);
        c.Fill(lamp, lamps[i].lit);
        c.Fill(Rim(lamp, 1.6, 1.6), lamps[i].shade);
        c.Fill(Disc(Mid - 1.6, lampY[i] - 1.6, 1.1), White);
        c.Outline(lamp, Black);
    }
}

// ---------------------------------------------------------------------------
// The Tip of the Day light bulb, 26x32 on white.

namespace tip {
constexpr QRgb White = 0xffffffff;
constexpr QRgb Black = 0xff000000;
constexpr QRgb DarkGray = 0xff404040;
constexpr QRgb Gray = 0xff808080;
constexpr QRgb Silver = 0xffc0c0c0;
constexpr QRgb LightGray = 0xffe0e0e0;
constexpr QRgb Yellow = 0xffffe020;
constexpr QRgb PaleYellow = 0xffffff80;
constexpr QRgb LightYellow = 0xffffffd0;
constexpr QRgb Gold = 0xffd09800;
constexpr QRgb Brown = 0xff806000;
constexpr QRgb Orange = 0xffff8020;

constexpr int Width = kBulbSize.width();
constexpr int Height = kBulbSize.height();
} // namespace tip

// The device length of a logical one at a scale.
int Device(int logical, qreal scale)
{
    return std::max(1, static_cast<int>(std::lround(logical * scale)));
}

} // namespace

const std::vector<QRgb>& TabPalette()
{
    using namespace tab;
    static const std::vector<QRgb> palette = {Magenta, Black,  White, DarkGray, Gray,  Silver,    Yellow, LightYellow,
                                              Gold,    Orange, Red,   DarkRed,  Green, DarkGreen, Blue,   LightBlue};
    return palette;
}

QImage DrawTabStrip(qreal scale)
{
    const int cell = Device(tab::Cell, scale);
    QImage drawn(4 * cell, cell, QImage::Format_RGB32);
    drawn.fill(tab::Magenta);
    const std::function<void(PixelCanvas&)> pictures[] = {DrawSmile, DrawBulbTab, DrawClock, DrawTrafficLight};
    for (int i = 0; i < 4; ++i) {
        PixelCanvas canvas(drawn, QPoint(i * cell, 0), QSize(tab::Cell, tab::Cell), QSize(cell, cell));
        pictures[i](canvas);
    }
    return drawn;
}

const std::vector<QRgb>& BulbPalette()
{
    using namespace tip;
    static const std::vector<QRgb> palette = {White,  Black,      DarkGray,    Gray, Silver, LightGray,
                                              Yellow, PaleYellow, LightYellow, Gold, Brown,  Orange};
    return palette;
}

QImage DrawBulbBitmap(qreal scale)
{
    using namespace tip;
    QImage drawn(Device(Width, scale), Device(Height, scale), QImage::Format_RGB32);
    drawn.fill(White);
    PixelCanvas c(drawn, QPoint(0, 0), kBulbSize, drawn.size());
    BulbLook b{};
    b.cx = Width / 2.0;
    b.cy = 11.6;
    b.r = 10.9;
    b.neckHalf = 5.2;
    b.neckY = 23.0;
    b.baseRows = 6;
    b.baseHalf = 5.6;
    b.tipRows = 3;
    b.outline = Black;
    b.glass = Yellow;
    b.glassShade = Gold;
    // Never pure white: the flood fill would leak into the glass.
    b.glassLight = PaleYellow;
    b.glassGlint = LightYellow;
    b.post = Brown;
    b.filament = Orange;
    b.metalLight = LightGray;
    b.metalDark = Gray;
    b.metalGroove = DarkGray;
    b.tip = DarkGray;
    DrawBulb(c, b);
    return drawn;
}
