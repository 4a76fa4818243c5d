// The one program the desktop checks run besides the desktops themselves:
// it makes the test pictures, sets them through WallPaperManager exactly as
// Quilvane does (the back end chosen from the session's environment), reads
// back the screen and tells whether it shows a picture in a given style.
//
//   desktop_probe picture OUT.png WxH BODY CORNER  a picture of colour BODY
//                                                  with its top-left quarter CORNER
//   desktop_probe set PATH STYLE                   0 shown, 2 not a picture,
//                                                  3 the desktop failed
//   desktop_probe grab OUT.png                     the X root window's pixels
//   desktop_probe gnome-grab OUT.png               GNOME Shell's screenshot
//   desktop_probe check SHOT.png STYLE W H BODY CORNER [TOP_MARGIN BOTTOM_MARGIN]
//                                                  0 when the shot shows the
//                                                  picture in the style
//
// Colours are #rrggbb. STYLE is centre, tile or stretch.

#include "core/WallPaperManager.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <xcb/xcb.h>

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
    QImage image(size, QImage::Format_RGB32);
    image.fill(body);
    QPainter(&image).fillRect(QRect(0, 0, size.width() / 4, size.height() / 4), corner);
    return image.save(a.value(0), "PNG") ? 0 : 1;
}

int SetPicture(const QStringList& a)
{
    WallPaperManager::StaticCreate();
    const WallPaperManager::Result result =
        WallPaperManager::GetInstance()->ApplyWallPaper(a.value(0), a.value(1).toInt());
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
        status = image.save(a.value(0), "PNG") ? 0 : 1;
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

bool Near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= kTolerance && std::abs(qGreen(a) - qGreen(b)) <= kTolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= kTolerance;
}

struct Probe {
    QPoint at;
    QRgb want;
    bool equal; // false: anything but `want` and `other`
    QRgb other = 0;
};

// Points that only the style asked for shows as listed, for a picture
// smaller than the screen and of another aspect: centre leaves the corner to
// the desktop's own colour, tile repeats the picture from the top left
// (its corner again one picture width on), stretch widens the corner quarter
// over a quarter of the screen. Checks near the top and bottom stay inside
// the margins, clear of panels.
std::vector<Probe> ProbesFor(const QString& style, QSize screen, QSize picture, QRgb body, QRgb corner, int top,
                             int bottom)
{
    const int w = screen.width(), h = screen.height(), pw = picture.width(), ph = picture.height();
    const int y = top + 2;
    if (style == u"centre")
        return {{{2, y}, body, false, corner}, {{w / 2, h / 2}, body, true}};
    if (style == u"tile")
        return {{{2, y}, corner, true},
                {{pw / 2, y}, body, true},
                {{pw + 2, y}, corner, true},
                {{2, ph + y}, corner, true}};
    if (style == u"stretch")
        return {{{2, y}, corner, true}, {{w / 5, y}, corner, true}, {{w - 3, h - bottom - 3}, body, true}};
    return {};
}

int Check(const QStringList& a)
{
    const QImage shot = QImage(a.value(0)).convertToFormat(QImage::Format_RGB32);
    const QString style = a.value(1);
    const QSize picture(a.value(2).toInt(), a.value(3).toInt());
    const QColor body(a.value(4)), corner(a.value(5));
    if (shot.isNull() || picture.isEmpty() || !body.isValid() || !corner.isValid()) {
        std::fprintf(stderr, "cannot read the screenshot %s\n", qPrintable(a.value(0)));
        return 1;
    }
    const std::vector<Probe> probes =
        ProbesFor(style, shot.size(), picture, body.rgb(), corner.rgb(), a.value(6).toInt(), a.value(7).toInt());
    if (probes.empty())
        return Usage();
    int wrong = 0;
    for (const Probe& p : probes) {
        const QRgb seen = shot.pixel(p.at);
        const bool ok = p.equal ? Near(seen, p.want) : !Near(seen, p.want) && !Near(seen, p.other);
        if (!ok) {
            ++wrong;
            std::printf("at %d,%d: %s, wanted %s%s\n", p.at.x(), p.at.y(), qPrintable(QColor(seen).name()),
                        p.equal ? "" : "neither ", qPrintable(QColor(p.want).name()));
        }
    }
    return wrong == 0 ? 0 : 1;
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
    if (command == u"picture")
        return MakePicture(args);
    if (command == u"set")
        return SetPicture(args);
    if (command == u"grab")
        return GrabRoot(args);
    if (command == u"gnome-grab")
        return GrabGnome(args);
    if (command == u"check")
        return Check(args);
    return Usage();
}
