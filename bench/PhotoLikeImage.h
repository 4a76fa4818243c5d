// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Photo-like test pictures for the benchmarks: smooth gradients and soft
// shapes, so a JPEG of one has a camera photo's size and costs the decoder a
// photo's work (noise would make both unrealistically large).

#include <QColor>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QString>

inline QImage DrawPhotoLike(QSize size, int seed)
{
    QImage photo(size, QImage::Format_RGB32);
    QPainter painter(&photo);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor::fromHsv((200 + seed * 37) % 360, 180, 170));
    sky.setColorAt(0.55, QColor::fromHsv((210 + seed * 37) % 360, 40, 240));
    sky.setColorAt(0.56, QColor::fromHsv((100 + seed * 53) % 360, 150, 120));
    sky.setColorAt(1, QColor::fromHsv((110 + seed * 53) % 360, 170, 60));
    painter.fillRect(photo.rect(), sky);
    const double sx = size.width() / 6000.0;
    const double sy = size.height() / 4000.0;
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        const QPointF centre(sx * 150 * ((i * 37 + seed * 11) % 40), sy * 100 * ((i * 23 + seed * 7) % 40));
        const qreal radius = sx * (120 + 20 * ((i + seed) % 13));
        QRadialGradient blob(centre, radius);
        blob.setColorAt(0, QColor::fromHsv((i * 47 + seed * 29) % 360, 160, 240));
        blob.setColorAt(1, QColor::fromHsv((i * 47 + seed * 29 + 40) % 360, 200, 90, 0));
        painter.setBrush(blob);
        painter.drawEllipse(centre, radius * 1.6, radius);
    }
    return photo;
}

inline bool WritePhotoLikeJpeg(const QString& path, QSize size, int seed)
{
    QImageWriter writer(path, "jpeg");
    writer.setQuality(90);
    return writer.write(DrawPhotoLike(size, seed));
}

// Photo i at size: a gradient of its own hue with blocks of detail, so each
// file differs and carries a photo's amount of JPEG data.
inline bool WriteBlockPhotoJpeg(const QString& path, QSize size, int i)
{
    QImage photo(size, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor::fromHsv((i * 37) % 360, 160, 230));
    sky.setColorAt(1, QColor::fromHsv((i * 37 + 120) % 360, 200, 60));
    painter.fillRect(photo.rect(), sky);
    for (int k = 0; k < 400; ++k) {
        const int x = (k * 7919 + i * 131) % size.width();
        const int y = (k * 4111 + i * 71) % size.height();
        painter.fillRect(x, y, 40 + k % 90, 30 + k % 70, QColor::fromHsv((k * 13 + i) % 360, 180, 200));
    }
    painter.end();
    QImageWriter writer(path, "jpeg");
    writer.setQuality(85);
    return writer.write(photo);
}
