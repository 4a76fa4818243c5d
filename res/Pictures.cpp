// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "res/Pictures.h"

#include "res/PixelArt.h"
#include "res/Resource.h"

#include <QDir>
#include <QIconEngine>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// The strip drawn at a scale, shared by the icons cut from it (the page tabs
// ask for theirs one after the other). GUI thread only.
QImage SharedStrip(int id, qreal scale)
{
    static int cachedId = 0;
    static qreal cachedScale = 0;
    static QImage cached;
    if (id != cachedId || scale != cachedScale || cached.isNull()) {
        cached = LoadBitmapResource(id, scale);
        cachedId = id;
        cachedScale = scale;
    }
    return cached;
}

// An image of a strip resource, drawn for the device size it is asked for
// and kept for the next request of that size.
class StripIconEngine final : public QIconEngine {
public:
    StripIconEngine(int id, int imageWidth, int index, QRgb transparent)
        : m_id(id), m_imageWidth(imageWidth), m_index(index), m_transparent(transparent)
    {
    }

    QIconEngine* clone() const override { return new StripIconEngine(m_id, m_imageWidth, m_index, m_transparent); }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal scale = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size() * scale, mode, state, scale));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // QIcon asks with the size already in device pixels (the logical size
    // times scale), and sets the pixel ratio of what it gets from the sizes.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        const int side = std::min(size.width(), size.height());
        if (side <= 0 || m_imageWidth <= 0)
            return {};
        const auto key = std::make_pair(side, mode == QIcon::Disabled);
        if (const auto it = m_cache.find(key); it != m_cache.end())
            return it->second;

        const QImage strip = SharedStrip(m_id, static_cast<qreal>(side) / m_imageWidth);
        QPixmap image = StripImage(strip, strip.height(), m_index, m_transparent);
        if (!image.isNull() && image.width() != side)
            image = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (!image.isNull() && mode == QIcon::Disabled)
            image = Greyed(image);
        image.setDevicePixelRatio(scale);
        m_cache[key] = image;
        return image;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min({size.width(), size.height(), m_imageWidth});
        return QSize(side, side);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {QSize(m_imageWidth, m_imageWidth)}; }

private:
    static QPixmap Greyed(const QPixmap& pixmap)
    {
        QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int grey = (qGray(line[x]) + 255) / 2;
                line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) / 2);
            }
        }
        return QPixmap::fromImage(image);
    }

    int m_id;
    int m_imageWidth;
    int m_index;
    QRgb m_transparent;
    std::map<std::pair<int, bool>, QPixmap> m_cache;
};

} // namespace

QIcon LoadAppIcon()
{
    // Every size drawn for it, "quilvane-<pixels>.png": the sizes the desktop's
    // icon theme gets too (res/CMakeLists.txt), so the window, the task bar
    // and the tray show the very pixels drawn for the size they ask for,
    // never a scaled neighbour.
    // Smallest first, as the window's icon property lists them then: tools
    // that read only the start of it still find the small ones.
    static const QRegularExpression kName(QStringLiteral("^quilvane-(\\d+)\\.png$"));
    const QDir icons(QStringLiteral(":/res/icons"));
    std::map<int, QString> bySize;
    for (const QString& name : icons.entryList(QDir::Files)) {
        const QRegularExpressionMatch match = kName.match(name);
        if (match.hasMatch())
            bySize[match.captured(1).toInt()] = icons.filePath(name);
    }
    QIcon icon;
    for (const auto& [side, path] : bySize)
        icon.addFile(path, QSize(side, side));
    return icon;
}

QImage LoadBitmapResource(int id, qreal scale)
{
    const bool asDrawn = std::abs(scale - 1.0) < 1e-6;
    switch (id) {
    case IDB_TAB_IMAGES:
        return asDrawn ? QImage(QStringLiteral(":/res/bitmaps/tabimages.bmp")) : DrawTabStrip(scale);
    case IDB_LIGHTBULB:
        return asDrawn ? QImage(QStringLiteral(":/res/bitmaps/lightbulb.bmp")) : DrawBulbBitmap(scale);
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

QIcon StripIcon(int id, int imageWidth, int index, QRgb transparent)
{
    return QIcon(new StripIconEngine(id, imageWidth, index, transparent));
}
