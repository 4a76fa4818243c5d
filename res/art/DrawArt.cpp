// Draws Quilvane's icons and bitmaps and writes them under a res/ folder:
//
//   icons/quilvane-16.png ... quilvane-256.png   the program's icon (its
//                                                 scalable form, quilvane.svg,
//                                                 is written by hand)
//   bitmaps/tabimages.bmp, .png                   the page tabs' image strip
//   bitmaps/lightbulb.bmp, .png                   the Tip of the Day bulb
//
// The files are checked in; run this only to redraw them:
//   quilvane_draw_art [res-folder]
// Without an argument it writes into the res/ folder this source lives in.
//
// The icon is ordinary antialiased 32-bit art. The two bitmaps are used the
// old way: the tab strip's magenta is keyed out as transparent and the Tip of
// the Day dialog flood-fills the bulb's white surroundings with its own
// colour. Antialiasing would leave near-magenta and near-white fringes that
// survive both, so those are drawn pixel by pixel from a 16-colour palette and
// checked before they are written.

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <queue>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Pixel art helpers for the palette bitmaps.

// A shape answers whether a point, in the cell's own coordinates, is inside.
// It is asked at pixel centres (x + 0.5, y + 0.5), so a symmetric shape about
// the middle of an even-sized cell comes out exactly symmetric.
using Shape = std::function<bool(double x, double y)>;

Shape Disc(double cx, double cy, double r)
{
    return [=](double x, double y) { return std::hypot(x - cx, y - cy) < r; };
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
        return std::hypot(x - nx, y - ny) < radius;
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
        return std::hypot(n.x(), n.y()) < halfWidth;
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

// Paints one cell of a palette bitmap. Painting is aliased and every colour
// is opaque, so the only colours that can appear are the ones passed in.
class PixelCanvas {
public:
    PixelCanvas(QPainter& painter, QPoint origin, QSize size) : m_painter(painter), m_origin(origin), m_size(size)
    {
        m_painter.setRenderHint(QPainter::Antialiasing, false);
    }

    void Fill(const Shape& shape, QRgb colour)
    {
        ForEachPixel([&](int x, int y) {
            if (Inside(shape, x, y))
                Plot(x, y, colour);
        });
    }

    // The shape's own outermost pixels: those with a 4-neighbour outside it.
    // Outlining the union of a figure's parts draws one closed line around the
    // whole figure, with no seams where the parts meet.
    void Outline(const Shape& shape, QRgb colour)
    {
        ForEachPixel([&](int x, int y) {
            if (Inside(shape, x, y) && (!Inside(shape, x - 1, y) || !Inside(shape, x + 1, y) ||
                                        !Inside(shape, x, y - 1) || !Inside(shape, x, y + 1)))
                Plot(x, y, colour);
        });
    }

    // A one pixel line through pixel centres, both ends included.
    void Line(QPoint a, QPoint b, QRgb colour)
    {
        m_painter.setPen(QPen(QColor::fromRgb(colour), 1, Qt::SolidLine, Qt::SquareCap));
        m_painter.drawLine(a + m_origin, b + m_origin);
        m_painter.setPen(Qt::NoPen);
    }

    void Polyline(const std::vector<QPoint>& points, QRgb colour)
    {
        for (std::size_t i = 1; i < points.size(); ++i)
            Line(points[i - 1], points[i], colour);
    }

    void Plot(int x, int y, QRgb colour)
    {
        m_painter.fillRect(QRect(m_origin + QPoint(x, y), QSize(1, 1)), QColor::fromRgb(colour));
    }

private:
    bool Inside(const Shape& shape, int x, int y) const
    {
        return x >= 0 && y >= 0 && x < m_size.width() && y < m_size.height() && shape(x + 0.5, y + 0.5);
    }

    template <typename F> void ForEachPixel(F f) const
    {
        for (int y = 0; y < m_size.height(); ++y)
            for (int x = 0; x < m_size.width(); ++x)
                f(x, y);
    }

    QPainter& m_painter;
    QPoint m_origin;
    QSize m_size;
};

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

// ---------------------------------------------------------------------------
// The tab strip: four 32x32 pictures on magenta.

namespace tab {
constexpr QRgb Magenta = 0xffff00ff;
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

const std::vector<QRgb> Palette = {Magenta, Black,  White, DarkGray, Gray,  Silver,    Yellow, LightYellow,
                                   Gold,    Orange, Red,   DarkRed,  Green, DarkGreen, Blue,   LightBlue};
constexpr int Cell = 32;
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

bool DrawTabImages(QImage& out)
{
    QImage drawn(4 * tab::Cell, tab::Cell, QImage::Format_RGB32);
    drawn.fill(tab::Magenta);
    {
        QPainter painter(&drawn);
        const std::function<void(PixelCanvas&)> pictures[] = {DrawSmile, DrawBulbTab, DrawClock, DrawTrafficLight};
        for (int i = 0; i < 4; ++i) {
            PixelCanvas canvas(painter, QPoint(i * tab::Cell, 0), QSize(tab::Cell, tab::Cell));
            pictures[i](canvas);
        }
    }
    return ToIndexed(drawn, tab::Palette, "tabimages", out);
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

const std::vector<QRgb> Palette = {White,  Black,      DarkGray,    Gray, Silver, LightGray,
                                   Yellow, PaleYellow, LightYellow, Gold, Brown,  Orange};
constexpr int Width = 26;
constexpr int Height = 32;
} // namespace tip

// The dialog paints the bulb onto its own background by flood-filling from the
// top-left corner, so every white pixel must be reachable from there: a white
// pocket inside the drawing would stay white.
bool WhiteIsOneRegion(const QImage& image)
{
    const int w = image.width();
    const int h = image.height();
    std::vector<char> seen(static_cast<std::size_t>(w * h), 0);
    auto white = [&](int x, int y) { return (image.pixel(x, y) | 0xff000000u) == tip::White; };
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

bool DrawLightBulb(QImage& out)
{
    using namespace tip;
    QImage drawn(Width, Height, QImage::Format_RGB32);
    drawn.fill(White);
    {
        QPainter painter(&drawn);
        PixelCanvas c(painter, QPoint(0, 0), drawn.size());
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
    }
    return ToIndexed(drawn, Palette, "lightbulb", out) && WhiteIsOneRegion(out);
}

// ---------------------------------------------------------------------------
// The program's icon: a framed landscape in front of a holiday snapshot.

// The sizes desktops ask an icon theme for; res/CMakeLists.txt installs them
// and res/Pictures.cpp builds the program's own icon from them.
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
