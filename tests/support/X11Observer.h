// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A client of the tests' own on an X server (the Xvfb whose display is in
// QUILVANE_TEST_DISPLAY), to look at what the program left on the root
// window: its pixels, its properties and the pixmaps they name.

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

// A second client of our own that looks at what the back end left behind.
class Observer {
public:
    explicit Observer(const QByteArray& display) : m_c(xcb_connect(display.constData(), &m_screenNumber))
    {
        if (xcb_connection_has_error(m_c))
            return;
        auto it = xcb_setup_roots_iterator(xcb_get_setup(m_c));
        for (int i = 0; i < m_screenNumber; ++i)
            xcb_screen_next(&it);
        m_screen = it.data;
    }
    ~Observer() { xcb_disconnect(m_c); }

    bool Ok() const { return m_screen != nullptr; }
    xcb_connection_t* Get() const { return m_c; }
    xcb_window_t Root() const { return m_screen->root; }
    QSize RootSize() const { return {m_screen->width_in_pixels, m_screen->height_in_pixels}; }
    int Depth() const { return m_screen->root_depth; }

    // The root window as the user sees it (nothing is mapped on this server).
    QImage RootPixels() const { return Pixels(Root(), RootSize()); }

    // The pixels of a window or pixmap of that size (24-bit depth), null when
    // they cannot be read.
    QImage Pixels(uint32_t drawable, QSize size) const
    {
        auto* reply = xcb_get_image_reply(
            m_c, xcb_get_image(m_c, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, 0, 0, size.width(), size.height(), ~0u),
            nullptr);
        if (!reply)
            return {};
        QImage image(size, QImage::Format_RGB32);
        const int length = xcb_get_image_data_length(reply);
        if (length == size.width() * size.height() * 4) {
            const uint8_t* data = xcb_get_image_data(reply);
            for (int y = 0; y < size.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                std::memcpy(line, data + size_t(y) * size.width() * 4, size_t(size.width()) * 4);
                for (int x = 0; x < size.width(); ++x)
                    line[x] |= 0xff000000; // depth 24 leaves the top byte undefined
            }
        }
        std::free(reply);
        return length == size.width() * size.height() * 4 ? image : QImage();
    }

    xcb_atom_t Atom(const char* name) const
    {
        auto* reply = xcb_intern_atom_reply(m_c, xcb_intern_atom(m_c, 0, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return atom;
    }

    // The pixmap a root property names (0 if none).
    uint32_t Property(const char* name) const
    {
        auto* reply =
            xcb_get_property_reply(m_c, xcb_get_property(m_c, 0, Root(), Atom(name), XCB_ATOM_PIXMAP, 0, 1), nullptr);
        uint32_t id = 0;
        if (reply && reply->type == XCB_ATOM_PIXMAP && xcb_get_property_value_length(reply) == 4)
            std::memcpy(&id, xcb_get_property_value(reply), 4);
        std::free(reply);
        return id;
    }

    // The pixmap's size, or an empty size when the id names nothing.
    QSize PixmapSize(uint32_t pixmap) const
    {
        xcb_generic_error_t* error = nullptr;
        auto* reply = xcb_get_geometry_reply(m_c, xcb_get_geometry(m_c, pixmap), &error);
        const QSize size = reply ? QSize(reply->width, reply->height) : QSize();
        std::free(reply);
        std::free(error);
        return size;
    }

private:
    int m_screenNumber = 0;
    xcb_connection_t* m_c;
    const xcb_screen_t* m_screen = nullptr;
};

// The display the tests' Xvfb runs on; empty when there is none.
inline QByteArray TestDisplay()
{
    return qgetenv("QUILVANE_TEST_DISPLAY");
}
