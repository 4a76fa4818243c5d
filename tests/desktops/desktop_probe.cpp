// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The one program the desktop checks run besides the desktops themselves:
// it makes the test pictures, sets them through WallPaperManager exactly as
// Quilvane does (the back end chosen from the session's environment), reads
// back the screen and tells whether it shows a picture in a given style.
//
//   desktop_probe picture OUT.png WxH BODY CORNER [FAR]
//                                                  a picture of colour BODY with
//                                                  its top-left quarter CORNER
//                                                  (and its bottom-right one FAR)
//   desktop_probe set PATH STYLE                   0 shown, 2 not a picture,
//                                                  3 the desktop failed
//   desktop_probe stay PATH STYLE                  set, then keeps running as
//                                                  Quilvane does (the picture
//                                                  follows the monitors) until
//                                                  killed
//   desktop_probe grab OUT.png                     the X root window's pixels
//   desktop_probe gnome-grab OUT.png               GNOME Shell's screenshot
//   desktop_probe same-colour SHOT.png X,Y X,Y       0 when both points have one colour
//   desktop_probe session-manager                  answers as the session manager
//                                                  on the session bus until killed
//   desktop_probe check SHOT.png STYLE W H BODY CORNER [TOP_MARGIN BOTTOM_MARGIN]
//                                                  0 when the shot shows the
//                                                  picture in the style
//   desktop_probe check-monitor SHOT.png STYLE W H BODY CORNER FAR X,Y,W,H TOP_MARGIN BOTTOM_MARGIN
//                                                  0 when the monitor at X,Y,W,H
//                                                  shows the picture (marked at
//                                                  both corners) in the style as
//                                                  that monitor's size makes it
//
// Colours are #rrggbb. STYLE is centre, tile or stretch.

#include "core/WallPaperManager.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVirtualObject>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int kTolerance = 24;

int Usage()
{
    std::fputs("usage: desktop_probe picture|set|grab|gnome-grab|check ... (see the source)\n", stderr);
    return 64;
}

QSize ParseSize(const QString& text)
{
    const QStringList parts = text.split(u'x');
    return parts.size() == 2 ? QSize(parts[0].toInt(), parts[1].toInt()) : QSize();
}

int MakePicture(const QStringList& a)
{
    const QSize size = ParseSize(a.value(1));
    const QColor body(a.value(2)), corner(a.value(3));
    if (size.isEmpty() || !body.isValid() || !corner.isValid())
        return Usage();
    const QColor far(a.value(4));
    if (!a.value(4).isEmpty() && !far.isValid())
        return Usage();
    QImage image(size, QImage::Format_RGB32);
    image.fill(body);
    QPainter painter(&image);
    painter.fillRect(QRect(0, 0, size.width() / 4, size.height() / 4), corner);
    if (far.isValid())
        painter.fillRect(QRect(size.width() - size.width() / 4, size.height() - size.height() / 4, size.width() / 4,
                               size.height() / 4),
                         far);
    painter.end();
    return image.save(a.value(0), "PNG") ? 0 : 1;
}

int SetPicture(const QStringList& a, bool stay)
{
    WallPaperManager::StaticCreate();
    const WallPaperManager::Result result =
        WallPaperManager::GetInstance()->ApplyWallPaper(a.value(0), a.value(1).toInt());
    if (result == WallPaperManager::Result::Shown && stay) {
        std::puts("shown");
        std::fflush(stdout);
        return QCoreApplication::exec();
    }
    WallPaperManager::StaticDestroy();
    switch (result) {
    case WallPaperManager::Result::Shown:
        std::puts("shown");
        return 0;
    case WallPaperManager::Result::NotAPicture:
        std::puts("not a picture");
        return 2;
    case WallPaperManager::Result::DesktopFailed:
        std::puts("desktop failed");
        return 3;
    }
    return 1;
}

// The root window of a 24/32-bit TrueColor screen: what is on the screen,
// mapped windows included, as no compositor redirects them here.
int GrabRoot(const QStringList& a)
{
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        std::fputs("cannot open the X display\n", stderr);
        xcb_disconnect(c);
        return 1;
    }
    auto it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&it);
    const xcb_screen_t* screen = it.data;
    const int w = screen->width_in_pixels, h = screen->height_in_pixels;
    auto* reply = xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, 0, 0, uint16_t(w), uint16_t(h), ~0u), nullptr);
    int status = 1;
    if (reply && xcb_get_image_data_length(reply) == w * h * 4) {
        QImage image(xcb_get_image_data(reply), w, h, w * 4, QImage::Format_RGB32);
        // Uncompressed: a two-monitor screen is large, and the checks read
        // it several times a second.
        status = image.save(a.value(0), "PNG", 100) ? 0 : 1;
    } else {
        std::fputs("cannot read the root window (not a 32-bit pixel screen?)\n", stderr);
    }
    std::free(reply);
    xcb_disconnect(c);
    return status;
}

// GNOME Shell hands screenshots only to a caller owning org.gnome.Screenshot.
int GrabGnome(const QStringList& a)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerService(QStringLiteral("org.gnome.Screenshot"))) {
        std::fprintf(stderr, "cannot own org.gnome.Screenshot: %s\n", qPrintable(bus.lastError().message()));
        return 1;
    }
    QDBusInterface shell(QStringLiteral("org.gnome.Shell.Screenshot"), QStringLiteral("/org/gnome/Shell/Screenshot"),
                         QStringLiteral("org.gnome.Shell.Screenshot"), bus);
    const QDBusMessage reply = shell.call(QStringLiteral("Screenshot"), false, false, a.value(0));
    if (reply.type() == QDBusMessage::ErrorMessage || reply.arguments().value(0).toBool() != true) {
        std::fprintf(stderr, "GNOME Shell gave no screenshot: %s\n", qPrintable(reply.errorMessage()));
        return 1;
    }
    return 0;
}

// The least of org.gnome.SessionManager that a settings daemon needs before
// it starts its work: a client registration and "the session is running".
class SessionManager final : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.type() != QDBusMessage::MethodCallMessage)
            return false;
        const QString member = message.member();
        QDBusMessage reply;
        if (member == u"RegisterClient")
            reply = message.createReply(QVariant::fromValue(
                QDBusObjectPath(QStringLiteral("/org/gnome/SessionManager/Client%1").arg(++m_clients))));
        else if (member == u"IsSessionRunning")
            reply = message.createReply(true);
        else
            reply = message.createReply();
        return connection.send(reply);
    }

private:
    int m_clients = 0;
};

int RunSessionManager(const QStringList&)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    SessionManager manager;
    if (!bus.registerVirtualObject(QStringLiteral("/org/gnome/SessionManager"), &manager, QDBusConnection::SubPath) ||
        !bus.registerService(QStringLiteral("org.gnome.SessionManager"))) {
        std::fprintf(stderr, "cannot answer as org.gnome.SessionManager: %s\n", qPrintable(bus.lastError().message()));
        return 1;
    }
    return QCoreApplication::exec();
}

bool Near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= kTolerance && std::abs(qGreen(a) - qGreen(b)) <= kTolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= kTolerance;
}

struct Look {
    QImage shot;
    QSize picture;
    QRgb body, corner;
    int top, bottom; // rows kept clear of panels
};

QRgb At(const Look& l, QPoint p)
{
    return l.shot.pixel(p);
}

// Lists what does not fit; empty when everything does.
using Findings = QStringList;

QString Describe(QPoint p, QRgb seen, const QString& wanted)
{
    return QStringLiteral("at %1,%2: %3, wanted %4").arg(p.x()).arg(p.y()).arg(QColor(seen).name(), wanted);
}

Findings Expect(const Look& l, const std::vector<std::pair<QPoint, QRgb>>& points)
{
    Findings wrong;
    for (const auto& [p, want] : points) {
        if (!Near(At(l, p), want))
            wrong << Describe(p, At(l, p), QColor(want).name());
    }
    return wrong;
}

// The picture in the middle, the corner left to the desktop's own colour.
Findings Centre(const Look& l)
{
    const QPoint corner(2, l.top + 2);
    Findings wrong = Expect(l, {{{l.shot.width() / 2, l.shot.height() / 2}, l.body}});
    if (Near(At(l, corner), l.body) || Near(At(l, corner), l.corner))
        wrong << Describe(corner, At(l, corner), QStringLiteral("the desktop's colour"));
    return wrong;
}

// The picture repeated: every pixel of one picture-sized window comes again
// one picture width to the right and one height down, and the window holds
// both colours. Desktops differ in where the first copy starts (the top
// left, or centred), so the offset is left open. The window lies a third of
// the way in, clear of desktop icons and panels.
Findings Tile(const Look& l)
{
    const int pw = l.picture.width(), ph = l.picture.height();
    const int x0 = l.shot.width() / 3, y0 = std::max(l.top, l.shot.height() / 3);
    Findings wrong;
    if (x0 + 2 * pw > l.shot.width() || y0 + 2 * ph > l.shot.height() - l.bottom)
        return {QStringLiteral("the screen is too small for two copies")};
    bool sawBody = false, sawCorner = false;
    for (int y = y0; y < y0 + ph; y += 7) {
        for (int x = x0; x < x0 + pw; x += 7) {
            const QRgb here = At(l, {x, y});
            sawBody |= Near(here, l.body);
            sawCorner |= Near(here, l.corner);
            for (const QPoint next : {QPoint(x + pw, y), QPoint(x, y + ph)}) {
                if (!Near(At(l, next), here) && wrong.size() < 3)
                    wrong << Describe(next, At(l, next), QColor(here).name() + QStringLiteral(" as one copy before"));
            }
        }
    }
    if (!sawBody || !sawCorner)
        wrong << QStringLiteral("one picture's area lacks the picture's colours");
    return wrong;
}

// The corner quarter widened over a quarter of the screen both ways: a fifth
// of the way across and down is still the corner colour, which neither
// tiling nor cropping to fill gives for a picture of this aspect, and the
// far corner is the body colour, which fitting with bars does not give.
Findings Stretch(const Look& l)
{
    const int w = l.shot.width(), h = l.shot.height(), y = std::max(l.top + 2, h / 5);
    return Expect(l, {{{w / 5, y}, l.corner}, {{w / 5, h / 3}, l.body}, {{w - 3, h - l.bottom - 3}, l.body}});
}

// One monitor's part of the screen, for a picture marked at both corners:
// its top-left quarter `corner`, its bottom-right quarter `far`.
struct MonitorLook {
    Look look; // the shot cut to the monitor
    QRgb far;
};

bool IsPictureColour(const MonitorLook& m, QRgb c)
{
    return Near(c, m.look.body) || Near(c, m.look.corner) || Near(c, m.far);
}

// The picture at its own size in the monitor's middle, as the monitor's own
// size puts it (not the whole screen's), and nothing of it beyond.
Findings CentreOn(const MonitorLook& m)
{
    const Look& l = m.look;
    const int pw = l.picture.width(), ph = l.picture.height();
    const QPoint tl((l.shot.width() - pw) / 2, (l.shot.height() - ph) / 2);
    const QPoint br = tl + QPoint(pw - 1, ph - 1);
    Findings wrong = Expect(l, {{tl + QPoint(4, 4), l.corner},
                                {tl + QPoint(pw / 4 - 5, ph / 4 - 5), l.corner},
                                {tl + QPoint(pw / 4 + 5, 4), l.body},
                                {tl + QPoint(pw / 2, ph / 2), l.body},
                                {br - QPoint(4, 4), m.far},
                                {br - QPoint(pw / 4 - 5, ph / 4 - 5), m.far}});
    for (const QPoint outside : {tl + QPoint(-6, ph / 2), br + QPoint(6, -ph / 2), QPoint(3, std::max(3, l.top + 3))}) {
        if (IsPictureColour(m, At(l, outside)))
            wrong << Describe(outside, At(l, outside), QStringLiteral("the desktop's colour"));
    }
    return wrong;
}

// The picture widened to exactly this monitor: its corner marks end a
// quarter of the monitor's width and height in from the monitor's edges
// (neither cropped to fill nor fitted with bars, nor spread over both
// monitors), and the monitor's edges are the picture's.
Findings StretchOn(const MonitorLook& m)
{
    const Look& l = m.look;
    const int w = l.shot.width(), h = l.shot.height();
    const int yTop = std::max(l.top + 3, h / 8), yBottom = std::min(h - l.bottom - 4, h - h / 8);
    const int xIn = w * 15 / 64, xOut = w * 17 / 64, yIn = h * 15 / 64, yOut = h * 17 / 64;
    return Expect(l, {{{3, yTop}, l.corner},
                      {{xIn, yTop}, l.corner},
                      {{xOut, yTop}, l.body},
                      {{w / 8, yIn}, l.corner},
                      {{w / 8, yOut}, l.body},
                      {{w / 2, h / 2}, l.body},
                      {{w - 4, yBottom}, m.far},
                      {{w - 1 - xIn, yBottom}, m.far},
                      {{w - 1 - xOut, yBottom}, l.body},
                      {{w - 1 - w / 8, h - 1 - yIn}, m.far},
                      {{w - 1 - w / 8, h - 1 - yOut}, l.body}});
}

// Copies at the picture's own size, repeated over the monitor; one
// picture-sized window holds all three of its colours.
Findings TileOn(const MonitorLook& m)
{
    Findings wrong = Tile(m.look);
    const Look& l = m.look;
    const int x0 = l.shot.width() / 3, y0 = std::max(l.top, l.shot.height() / 3);
    bool sawFar = false;
    for (int y = y0; y < y0 + l.picture.height() && !sawFar; y += 5) {
        for (int x = x0; x < x0 + l.picture.width() && !sawFar; x += 5)
            sawFar = Near(At(l, {x, y}), m.far);
    }
    if (!sawFar && wrong.isEmpty())
        wrong << QStringLiteral("one picture's area lacks its bottom-right mark");
    return wrong;
}

int CheckMonitor(const QStringList& a)
{
    const QImage whole = QImage(a.value(0)).convertToFormat(QImage::Format_RGB32);
    const QStringList r = a.value(7).split(u',');
    const QColor body(a.value(4)), corner(a.value(5)), far(a.value(6));
    if (r.size() != 4 || !body.isValid() || !corner.isValid() || !far.isValid())
        return Usage();
    const QRect monitor(r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt());
    if (whole.isNull() || !whole.rect().contains(monitor)) {
        std::printf("the screenshot %s (%dx%d) does not hold the monitor %s\n", qPrintable(a.value(0)), whole.width(),
                    whole.height(), qPrintable(a.value(7)));
        return 1;
    }
    const MonitorLook m{{whole.copy(monitor), QSize(a.value(2).toInt(), a.value(3).toInt()), body.rgb(), corner.rgb(),
                         a.value(8).toInt(), a.value(9).toInt()},
                        far.rgb()};
    const QString style = a.value(1);
    Findings wrong;
    if (style == u"centre")
        wrong = CentreOn(m);
    else if (style == u"tile")
        wrong = TileOn(m);
    else if (style == u"stretch")
        wrong = StretchOn(m);
    else
        return Usage();
    if (!wrong.isEmpty())
        std::printf("%s\n", qPrintable(wrong.join(QStringLiteral("; "))));
    return wrong.isEmpty() ? 0 : 1;
}

int SameColour(const QStringList& a)
{
    const QImage shot(a.value(0));
    const auto point = [](const QString& text) {
        const QStringList xy = text.split(u',');
        return QPoint(xy.value(0).toInt(), xy.value(1).toInt());
    };
    const QPoint p = point(a.value(1)), q = point(a.value(2));
    if (!shot.rect().contains(p) || !shot.rect().contains(q))
        return Usage();
    return Near(shot.pixel(p), shot.pixel(q)) ? 0 : 1;
}

int Check(const QStringList& a)
{
    Look l{QImage(a.value(0)).convertToFormat(QImage::Format_RGB32),
           QSize(a.value(2).toInt(), a.value(3).toInt()),
           QColor(a.value(4)).rgb(),
           QColor(a.value(5)).rgb(),
           a.value(6).toInt(),
           a.value(7).toInt()};
    if (l.shot.isNull() || l.picture.isEmpty() || !QColor(a.value(4)).isValid() || !QColor(a.value(5)).isValid()) {
        std::fprintf(stderr, "cannot read the screenshot %s\n", qPrintable(a.value(0)));
        return 1;
    }
    const QString style = a.value(1);
    Findings wrong;
    if (style == u"centre")
        wrong = Centre(l);
    else if (style == u"tile")
        wrong = Tile(l);
    else if (style == u"stretch")
        wrong = Stretch(l);
    else
        return Usage();
    if (!wrong.isEmpty())
        std::printf("%s\n", qPrintable(wrong.join(QStringLiteral("; "))));
    return wrong.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    // The back ends ask Qt for the screens (Xfce names its monitors after
    // them), so the platform the session gives is the one used.
    QGuiApplication app(argc, argv);
    const QStringList all = app.arguments();
    const QString command = all.value(1);
    const QStringList args = all.mid(2);
    static const std::pair<const char16_t*, int (*)(const QStringList&)> kCommands[] = {
        {u"picture", MakePicture},
        {u"set", [](const QStringList& a) { return SetPicture(a, false); }},
        {u"stay", [](const QStringList& a) { return SetPicture(a, true); }},
        {u"grab", GrabRoot},
        {u"gnome-grab", GrabGnome},
        {u"check", Check},
        {u"check-monitor", CheckMonitor},
        {u"same-colour", SameColour},
        {u"session-manager", RunSessionManager}};
    for (const auto& [name, run] : kCommands) {
        if (command == QStringView(name))
            return run(args);
    }
    return Usage();
}
