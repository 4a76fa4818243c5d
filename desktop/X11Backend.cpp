// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/X11Backend.h"

#include "desktop/DesktopMessages.h"
#include "desktop/WallpaperPicture.h"
#include "desktop/WallpaperRender.h"
#include "platform/Warning.h"

#include <QPainter>
#include <QRect>
#include <QtEndian>

#include <xcb/randr.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T> Reply<T> Wrap(T* reply)
{
    return Reply<T>(reply, &std::free);
}

// How the server wants the root window's pixels.
struct PixelLayout {
    uint8_t depth = 0;
    uint8_t bitsPerPixel = 0;
    uint8_t scanlinePad = 0;
    uint32_t red = 0;
    uint32_t green = 0;
    uint32_t blue = 0;
    bool lsbFirst = true;
};

bool FindLayout(const xcb_setup_t* setup, const xcb_screen_t* screen, PixelLayout& layout)
{
    layout.depth = screen->root_depth;
    layout.lsbFirst = setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f)) {
        if (f.data->depth == layout.depth) {
            layout.bitsPerPixel = f.data->bits_per_pixel;
            layout.scanlinePad = f.data->scanline_pad;
        }
    }
    for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem; xcb_depth_next(&d)) {
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v)) {
            if (v.data->visual_id == screen->root_visual) {
                layout.red = v.data->red_mask;
                layout.green = v.data->green_mask;
                layout.blue = v.data->blue_mask;
            }
        }
    }
    const bool trueColour = layout.red && layout.green && layout.blue;
    const bool knownSize = layout.bitsPerPixel == 16 || layout.bitsPerPixel == 24 || layout.bitsPerPixel == 32;
    return trueColour && knownSize && layout.scanlinePad >= 8;
}

// One 8-bit channel placed into a colour mask of the server's visual.
uint32_t Channel(uint32_t value8, uint32_t mask)
{
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const uint32_t scaled = bits >= 8 ? value8 << (bits - 8) : value8 >> (8 - bits);
    return (scaled << shift) & mask;
}

bool IsNative(const PixelLayout& layout)
{
    // QImage's RGB32 is exactly a 24-bit TrueColor pixel in the host's byte
    // order.
    return layout.bitsPerPixel == 32 && layout.red == 0xff0000 && layout.green == 0xff00 && layout.blue == 0xff &&
           layout.lsbFirst == (QSysInfo::ByteOrder == QSysInfo::LittleEndian);
}

// The image's rows in the server's pixel format, each padded to the
// server's scanline unit, for servers whose format is not RGB32's.
std::vector<uint8_t> ConvertedPixels(const QImage& image, const PixelLayout& layout, int& stride)
{
    const int bytesPerPixel = layout.bitsPerPixel / 8;
    const int padBytes = layout.scanlinePad / 8;
    stride = (image.width() * bytesPerPixel + padBytes - 1) / padBytes * padBytes;
    std::vector<uint8_t> out(static_cast<size_t>(stride) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uint8_t* dst = out.data() + static_cast<size_t>(y) * stride;
        for (int x = 0; x < image.width(); ++x) {
            const uint32_t pixel = Channel(qRed(src[x]), layout.red) | Channel(qGreen(src[x]), layout.green) |
                                   Channel(qBlue(src[x]), layout.blue);
            for (int b = 0; b < bytesPerPixel; ++b) {
                const int byte = layout.lsbFirst ? b : bytesPerPixel - 1 - b;
                dst[x * bytesPerPixel + byte] = static_cast<uint8_t>(pixel >> (8 * b));
            }
        }
    }
    return out;
}

// A connection of our own for one change: its resources are what stays
// behind (retained) once the new background is in place.
class XConnection final {
public:
    static constexpr int kLost = -1;

    explicit XConnection(const QByteArray& displayName)
        : m_connection(xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), &m_screenNumber))
    {
    }
    ~XConnection() { xcb_disconnect(m_connection); }
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    bool Ok() const { return !xcb_connection_has_error(m_connection); }
    xcb_connection_t* Get() const { return m_connection; }

    const xcb_screen_t* Screen() const
    {
        int n = m_screenNumber;
        for (auto it = xcb_setup_roots_iterator(xcb_get_setup(m_connection)); it.rem; xcb_screen_next(&it)) {
            if (n-- == 0)
                return it.data;
        }
        return nullptr;
    }

    xcb_atom_t Atom(const char* name) const
    {
        const auto reply = Wrap(xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    // The pixmap a root property names, or 0.
    xcb_pixmap_t PixmapProperty(xcb_window_t root, xcb_atom_t atom) const
    {
        const auto reply = Wrap(xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, root, atom, XCB_ATOM_PIXMAP, 0, 1), nullptr));
        if (!reply || reply->type != XCB_ATOM_PIXMAP || reply->format != 32 ||
            xcb_get_property_value_length(reply.get()) != 4)
            return 0;
        uint32_t id = 0;
        std::memcpy(&id, xcb_get_property_value(reply.get()), 4);
        return id;
    }

    bool Exists(xcb_drawable_t drawable) const
    {
        xcb_generic_error_t* error = nullptr;
        const auto reply = Wrap(xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, drawable), &error));
        std::free(error);
        return reply != nullptr;
    }

    // Waits until the server has handled everything sent so far and returns
    // the code of the first error it reported (0 for none, kLost when the
    // connection is gone, which no reply or error would ever say).
    int Sync() const
    {
        std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
        if (xcb_connection_has_error(m_connection))
            return kLost;
        int firstError = 0;
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
            if (event->response_type == 0 && firstError == 0)
                firstError = reinterpret_cast<xcb_generic_error_t*>(event)->error_code;
            std::free(event);
        }
        return firstError;
    }

    // The monitors' rectangles on the root window (RandR 1.5 monitors, as
    // the desktop's own setters use them), clipped to it; empty without
    // RandR, which leaves the whole root as one screen.
    std::vector<QRect> Monitors(xcb_window_t root, QSize rootSize) const
    {
        std::vector<QRect> rects;
        const xcb_query_extension_reply_t* randr = xcb_get_extension_data(m_connection, &xcb_randr_id);
        if (!randr || !randr->present)
            return rects;
        const auto version =
            Wrap(xcb_randr_query_version_reply(m_connection, xcb_randr_query_version(m_connection, 1, 5), nullptr));
        if (!version || version->major_version < 1 || (version->major_version == 1 && version->minor_version < 5))
            return rects;
        const auto reply =
            Wrap(xcb_randr_get_monitors_reply(m_connection, xcb_randr_get_monitors(m_connection, root, 1), nullptr));
        if (!reply)
            return rects;
        for (auto it = xcb_randr_get_monitors_monitors_iterator(reply.get()); it.rem;
             xcb_randr_monitor_info_next(&it)) {
            const QRect rect =
                QRect(it.data->x, it.data->y, it.data->width, it.data->height) & QRect(QPoint(0, 0), rootSize);
            if (!rect.isEmpty())
                rects.push_back(rect);
        }
        return rects;
    }

private:
    int m_screenNumber = 0;
    xcb_connection_t* m_connection;
};

// What the root window shows: render's image for each monitor's rectangle
// (black between monitors), or for the whole root without monitors. Monitors
// of the same size share one rendering. Null when render gives up.
QImage ComposeRoot(const X11Backend::Renderer& render, QSize rootSize, const std::vector<QRect>& monitors)
{
    // One monitor covering the root (the common single screen) needs no
    // second root-sized image to compose in.
    if (monitors.empty() || (monitors.size() == 1 && monitors.front() == QRect(QPoint(0, 0), rootSize))) {
        QImage image = render(rootSize);
        if (!image.isNull() && (image.size() != rootSize || image.format() != QImage::Format_RGB32))
            image = image.scaled(rootSize).convertToFormat(QImage::Format_RGB32);
        return image;
    }
    QImage root(rootSize, QImage::Format_RGB32);
    root.fill(Qt::black);
    QPainter painter(&root);
    QImage shown;
    for (const QRect& monitor : monitors) {
        if (shown.size() != monitor.size()) {
            shown = render(monitor.size());
            if (shown.isNull())
                return {};
        }
        painter.drawImage(monitor.topLeft(), shown.size() == monitor.size() ? shown : shown.scaled(monitor.size()));
    }
    return root;
}

} // namespace

bool X11Backend::SetWallpaper(const QString& absolutePath, WallpaperStyle style)
{
    bool unreadable = false;
    // Opened on the first monitor's call and kept for the others: the file is
    // read once however many sizes the monitors ask for.
    std::optional<PictureSource> source;
    const bool done = SetRootImage([&](QSize screenSize) {
        if (!source)
            source = OpenWallpaperPicture(absolutePath);
        const QImage picture = source ? LoadWallpaperPicture(*source, screenSize, style) : QImage();
        unreadable = picture.isNull();
        return unreadable ? QImage() : RenderWallpaper(picture, screenSize, style);
    });
    if (unreadable)
        WarnUnchanged(QStringLiteral("%1 is not a picture that can be read").arg(PictureName(absolutePath)));
    return done;
}

namespace {

// Says why the change failed; a lost connection says so whatever the step.
bool Refused(const XConnection& x, const QString& what, int code = 0)
{
    if (code == XConnection::kLost || !x.Ok())
        WarnUnchanged(QStringLiteral("the connection to the X server was lost"));
    else if (code != 0)
        WarnUnchanged(QStringLiteral("%1 (X error %2)").arg(what).arg(code));
    else
        WarnUnchanged(what);
    return false;
}

} // namespace

bool X11Backend::SetRootImage(const Renderer& render)
{
    const XConnection x(m_displayName);
    const xcb_screen_t* screen = x.Ok() ? x.Screen() : nullptr;
    if (!screen) {
        WarnUnchanged(
            QStringLiteral("cannot open the X display %1")
                .arg(Printable(QString::fromLocal8Bit(m_displayName.isEmpty() ? qgetenv("DISPLAY") : m_displayName))));
        return false;
    }
    xcb_connection_t* c = x.Get();
    const xcb_setup_t* setup = xcb_get_setup(c);
    PixelLayout layout;
    if (!FindLayout(setup, screen, layout))
        return Refused(
            x, QStringLiteral("the X screen's colour format (depth %1) is not supported").arg(screen->root_depth));
    const xcb_atom_t rootPmap = x.Atom("_XROOTPMAP_ID");
    const xcb_atom_t esetroot = x.Atom("ESETROOT_PMAP_ID");
    if (rootPmap == XCB_ATOM_NONE || esetroot == XCB_ATOM_NONE)
        return Refused(x, QStringLiteral("the X server refused the wallpaper properties"));

    const xcb_window_t root = screen->root;
    const QSize rootSize(screen->width_in_pixels, screen->height_in_pixels);
    QImage image = ComposeRoot(render, rootSize, x.Monitors(root, rootSize));
    if (image.isNull())
        return false;
    // The common server takes RGB32 rows as they are; others get a copy in
    // their own format.
    int stride = static_cast<int>(image.bytesPerLine());
    std::vector<uint8_t> converted;
    if (!IsNative(layout)) {
        converted = ConvertedPixels(image, layout, stride);
        image = QImage();
    }
    const uint8_t* pixels = converted.empty() ? image.constBits() : converted.data();

    const xcb_pixmap_t pixmap = xcb_generate_id(c);
    xcb_generic_error_t* error = xcb_request_check(
        c, xcb_create_pixmap_checked(c, layout.depth, pixmap, root, rootSize.width(), rootSize.height()));
    if (error || !x.Ok()) {
        const int code = error ? error->error_code : XConnection::kLost;
        std::free(error);
        return Refused(
            x,
            QStringLiteral("the X server cannot hold a %1x%2 wallpaper").arg(rootSize.width()).arg(rootSize.height()),
            code);
    }
    const xcb_gcontext_t gc = xcb_generate_id(c);
    xcb_create_gc(c, gc, pixmap, 0, nullptr);

    // A request may carry only so many bytes; send the rows in strips. The
    // allowance covers PutImage's header in its big-request form.
    const uint64_t maxRequestBytes = uint64_t{xcb_get_maximum_request_length(c)} * 4;
    const int rowsPerRequest = static_cast<int>(std::max<uint64_t>(1, (maxRequestBytes - 32) / stride));
    for (int y = 0; y < rootSize.height(); y += rowsPerRequest) {
        const int rows = std::min(rowsPerRequest, rootSize.height() - y);
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, rootSize.width(), rows, 0, y, 0, layout.depth,
                      static_cast<uint32_t>(rows) * stride, pixels + static_cast<size_t>(y) * stride);
    }
    xcb_free_gc(c, gc);
    if (const int code = x.Sync()) {
        xcb_free_pixmap(c, pixmap);
        x.Sync();
        return Refused(x, QStringLiteral("the X server refused the wallpaper's pixels"), code);
    }
    image = QImage();
    converted = {};

    // Nobody else may swap the background between our look at the old
    // pixmap and the switch to ours.
    xcb_grab_server(c);
    const xcb_pixmap_t oldPixmap = x.PixmapProperty(root, rootPmap);
    // When both properties agree, the pixmap was left by a setter that
    // retained its client for it (as we do); killing that client frees it.
    // Never our own id range: that would end this very connection.
    const bool ours = (oldPixmap & ~setup->resource_id_mask) == setup->resource_id_base;
    if (oldPixmap != 0 && !ours && oldPixmap == x.PixmapProperty(root, esetroot) && x.Exists(oldPixmap))
        xcb_kill_client(c, oldPixmap);

    xcb_change_window_attributes(c, root, XCB_CW_BACK_PIXMAP, &pixmap);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, root, rootPmap, XCB_ATOM_PIXMAP, 32, 1, &pixmap);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, root, esetroot, XCB_ATOM_PIXMAP, 32, 1, &pixmap);
    xcb_clear_area(c, 0, root, 0, 0, 0, 0);
    xcb_ungrab_server(c);
    xcb_set_close_down_mode(c, XCB_CLOSE_DOWN_RETAIN_PERMANENT);
    // A connection lost on the way gives no error for any of the requests
    // above: only the connection's own state tells.
    if (const int code = x.Sync())
        return Refused(x, QStringLiteral("the X server reported an error while the wallpaper changed"), code);
    m_pixmap = pixmap;
    return true;
}

bool X11Backend::FollowMonitors(const QString& absolutePath, WallpaperStyle style)
{
    if (m_pixmap == 0)
        return true;
    {
        const XConnection x(m_displayName);
        const xcb_screen_t* screen = x.Ok() ? x.Screen() : nullptr;
        if (!screen)
            return true;
        const xcb_atom_t rootPmap = x.Atom("_XROOTPMAP_ID");
        if (rootPmap == XCB_ATOM_NONE || x.PixmapProperty(screen->root, rootPmap) != m_pixmap)
            return true;
    }
    return SetWallpaper(absolutePath, style);
}
