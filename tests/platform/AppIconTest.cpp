// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's icon: drawn for each size an icon theme offers, the window
// and the tray showing exactly those pixels, and the hand-written scalable
// icon showing the same picture.

#include "res/Pictures.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QString IconsDir()
{
    return QStringLiteral(QUILVANE_SOURCE_DIR "/res/icons/");
}

// Premultiplied, as icons are shown: a pixmap keeps its pixels that way.
QImage Drawn(int size)
{
    return QImage(IconsDir() + QStringLiteral("quilvane-%1.png").arg(size))
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

TEST(AppIcon, EachSizeShowsThePixelsDrawnForIt)
{
    const QIcon icon = LoadAppIcon();
    QList<QSize> sizes;
    for (const int size : kSizes)
        sizes << QSize(size, size);
    // Smallest first, the order the window's icon property keeps.
    EXPECT_EQ(icon.availableSizes(), sizes);
    for (const int size : kSizes) {
        SCOPED_TRACE(size);
        const QImage drawn = Drawn(size);
        ASSERT_EQ(drawn.size(), QSize(size, size));
        EXPECT_TRUE(icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied) ==
                    drawn);
    }
}

TEST(AppIcon, TheScalableIconIsTheSamePicture)
{
    QSvgRenderer svg(IconsDir() + QStringLiteral("quilvane.svg"));
    ASSERT_TRUE(svg.isValid());
    // The sizes a scalable icon is drawn at where no drawn size fits; below
    // them thin strokes come out a shade apart from one renderer to another.
    for (const int size : {64, 128, 256}) {
        SCOPED_TRACE(size);
        QImage rendered(size, size, QImage::Format_ARGB32_Premultiplied);
        rendered.fill(Qt::transparent);
        QPainter painter(&rendered);
        svg.render(&painter);
        painter.end();

        // Edges may differ by a shade; a shape missing, moved or recoloured
        // changes whole areas.
        const QImage drawn = Drawn(size);
        long total = 0;
        int far = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb a = drawn.pixel(x, y);
                const QRgb b = rendered.pixel(x, y);
                const int d = std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                              std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b));
                total += d;
                far += d > 96 ? 1 : 0;
            }
        }
        const double pixels = double(size) * size;
        EXPECT_LT(total / pixels, 2.0);
        EXPECT_LT(far / pixels, 0.005);
    }
}
