// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/AreaScaler.h"
#include "support/ScaleReference.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// Smooth colour ramps with some curvature: any good scaler agrees on them
// closely, a misplaced or mis-weighted one does not.
QImage Smooth(QSize size, bool alpha)
{
    QImage image(size, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const double u = static_cast<double>(x) / size.width();
            const double v = static_cast<double>(y) / size.height();
            image.setPixel(x, y,
                           qRgba(static_cast<int>(255 * u), static_cast<int>(255 * v),
                                 static_cast<int>(127 + 120 * std::sin(6 * u + 4 * v)),
                                 alpha ? 64 + (x + y) % 192 : 255));
        }
    return image;
}

double MeanDifference(const QImage& a, const QImage& b)
{
    double total = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return total / (3.0 * a.width() * a.height());
}

} // namespace

TEST(AreaScalerTest, BandsFitTogetherIntoOneSmoothScaleFromWholeOrPartialSources)
{
    struct Case {
        QSize source;
        QSize target;
    };
    const Case cases[] = {
        {{300, 200}, {300, 200}}, // same size: the very pixels
        {{300, 200}, {97, 61}},   // shrink by about 3
        {{300, 200}, {710, 455}}, // enlarge by about 2.3
        {{300, 200}, {120, 500}}, // shrink one way, enlarge the other
        {{300, 200}, {3, 2}},     // a hundred source pixels a target pixel
    };
    for (const ScaleFilter filter : {ScaleFilter::Area, ScaleFilter::Lanczos3})
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message()
                         << c.source.width() << "x" << c.source.height() << " -> " << c.target.width() << "x"
                         << c.target.height() << (filter == ScaleFilter::Area ? " area" : " lanczos"));
            const QImage source = Smooth(c.source, false);
            const AreaScaler whole(source, {}, c.source, c.target, filter);
            const QImage all = whole.Region(QRect(QPoint(), c.target));
            ASSERT_EQ(all.size(), c.target);
            if (c.source == c.target) {
                EXPECT_EQ(all, source.convertToFormat(QImage::Format_RGB32));
            }
            // Lanczos reads three times as far: a hundredfold shrink of a ramp
            // comes out unlike Qt's box, and rightly so.
            if (filter == ScaleFilter::Area || c.source.width() < 10 * c.target.width()) {
                EXPECT_LT(MeanDifference(all, source.scaled(c.target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)),
                          1.5);
            }

            for (int top = 0; top < c.target.height(); top += 7) {
                const QRect band(0, top, c.target.width(), std::min(7, c.target.height() - top));
                EXPECT_EQ(whole.Region(band), all.copy(band)) << "band at " << top;
            }

            // A part of the source held with a margin as wide as what one target
            // pixel reads gives the same pixels as the whole.
            if (c.source.width() > 3 * c.target.width())
                continue;
            const int reach = filter == ScaleFilter::Area ? 3 : 3 * (c.source.width() / c.target.width() + 1) + 2;
            const QRect part(c.source.width() / 4, c.source.height() / 3, c.source.width() / 2, c.source.height() / 2);
            const AreaScaler partial(source.copy(part.adjusted(-reach, -reach, reach, reach)),
                                     part.topLeft() - QPoint(reach, reach), c.source, c.target, filter);
            const QRect shown(c.target.width() * part.left() / c.source.width(),
                              c.target.height() * part.top() / c.source.height(),
                              c.target.width() * part.width() / c.source.width(),
                              c.target.height() * part.height() / c.source.height());
            for (int top = 0; top < c.target.height(); top += 7) {
                const QRect band(0, top, c.target.width(), std::min(7, c.target.height() - top));
                const QRect inside = band & shown;
                if (!inside.isEmpty()) {
                    EXPECT_EQ(partial.Region(inside), all.copy(inside)) << "part, band at " << top;
                }
            }
        }
}

TEST(AreaScalerTest, TransparentPixelsLendNoColour)
{
    QImage source(4, 1, QImage::Format_ARGB32);
    source.setPixel(0, 0, qRgba(255, 0, 0, 255));
    source.setPixel(1, 0, qRgba(255, 0, 0, 255));
    source.setPixel(2, 0, qRgba(0, 255, 0, 0)); // green, but invisible
    source.setPixel(3, 0, qRgba(0, 255, 0, 0));
    const QImage half = AreaScaler(source, {}, source.size(), QSize(1, 1)).Region(QRect(0, 0, 1, 1));
    ASSERT_EQ(half.format(), QImage::Format_ARGB32_Premultiplied);
    const QRgb p = half.convertToFormat(QImage::Format_ARGB32).pixel(0, 0);
    EXPECT_NEAR(qAlpha(p), 128, 1);
    EXPECT_EQ(qGreen(p), 0);
    EXPECT_EQ(qRed(p), 255);
    EXPECT_TRUE(AreaScaler(source, {}, source.size(), QSize(2, 2)).Region(QRect(5, 5, 2, 2)).isNull());
}

TEST(AreaScalerTest, OtherFormatsScaleExactlyAsTheir32BitCopy)
{
    // Converted a strip of rows at a time: target rows reading across a
    // strip's end, or more rows than a strip holds, match converting first.
    const QImage indexed = Smooth({300, 200}, false).convertToFormat(QImage::Format_Indexed8);
    const QImage grey = Smooth({300, 200}, false).convertToFormat(QImage::Format_Grayscale8);
    for (const QImage& source : {indexed, grey})
        for (const QSize target : {QSize(97, 61), QSize(3, 2), QSize(410, 333)}) {
            SCOPED_TRACE(testing::Message() << source.format() << " -> " << target.width() << "x" << target.height());
            const QImage converted = source.convertToFormat(QImage::Format_RGB32);
            const QImage expected = ShrinkImage(converted, target);
            ASSERT_EQ(expected.size(), target);
            EXPECT_EQ(ShrinkImage(source, target), expected);
        }
}

TEST(AreaScalerTest, ShrinkingIsLanczosSharpKeepsFlatColoursAndValidAlpha)
{
    // Grain at ratios with no exact decoder reduction: the shrink stays
    // close to a plain double-precision Lanczos-3.
    QImage grainy = Smooth({1250, 800}, false);
    lanczos::AddGrain(grainy, 12, 5);
    for (const QSize target : {QSize(960, 540), QSize(401, 333)}) {
        SCOPED_TRACE(target.width());
        EXPECT_GE(lanczos::Psnr(ShrinkImage(grainy, target), lanczos::Resample(grainy, target)), 50.0);
    }

    // A flat colour comes out exactly that colour, edges included.
    QImage flat(97, 61, QImage::Format_RGB32);
    flat.fill(qRgb(37, 200, 91));
    const QImage shrunk = ShrinkImage(flat, QSize(40, 23));
    for (int y = 0; y < shrunk.height(); ++y)
        for (int x = 0; x < shrunk.width(); ++x)
            ASSERT_EQ(shrunk.pixel(x, y), qRgb(37, 200, 91)) << x << "," << y;

    // A hard edge between opaque white and transparent: the lobes ring, but
    // no colour ever exceeds its alpha (which would be no pixel at all).
    QImage edge(60, 20, QImage::Format_ARGB32);
    edge.fill(Qt::transparent);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            edge.setPixel(x, y, qRgba(255, 255, 255, 255));
    const QImage ringing = ShrinkImage(edge, QSize(23, 7));
    ASSERT_EQ(ringing.format(), QImage::Format_ARGB32_Premultiplied);
    for (int x = 0; x < ringing.width(); ++x) {
        const QRgb p = ringing.pixel(x, 3);
        EXPECT_LE(qRed(p), qAlpha(p)) << x;
        EXPECT_LE(qBlue(p), qAlpha(p)) << x;
    }
}

namespace {

// Hands out rows of a whole image as a decoder would, checking that they are
// asked for top to bottom and never more at once than RowsHeld allows.
class CheckedFeed final : public AreaScaler::RowFeed {
public:
    CheckedFeed(const QImage& image, int held) : m_image(image), m_held(held) {}
    bool Rows(int first, int count, const uchar** rows) override
    {
        EXPECT_GE(first, m_first);
        EXPECT_LE(count, m_held);
        m_first = first;
        if (first < 0 || first + count > m_image.height())
            return false;
        for (int i = 0; i < count; ++i)
            rows[i] = m_image.constScanLine(first + i);
        return true;
    }
    int m_first = 0;

private:
    const QImage& m_image;
    int m_held;
};

} // namespace

TEST(AreaScalerTest, StreamedBandsFromFirstRowReadMatchTheWholeShrink)
{
    QImage grainy = Smooth({641, 427}, false);
    lanczos::AddGrain(grainy, 12, 3);
    for (const QSize target : {QSize(320, 213), QSize(97, 150), QSize(641, 400)}) {
        SCOPED_TRACE(testing::Message() << target.width() << "x" << target.height());
        const QImage expected = ShrinkImage(grainy, target);
        const int held = AreaScaler::RowsHeld(grainy.height(), target.height());
        QImage streamed(target, QImage::Format_RGB32);
        streamed.fill(Qt::magenta);
        const int bands[] = {0, target.height() / 3, target.height() * 3 / 5, target.height()};
        for (int b = 0; b < 3; ++b) {
            CheckedFeed feed(grainy, held);
            feed.m_first = AreaScaler::FirstRowRead(grainy.height(), target.height(), bands[b]);
            ASSERT_TRUE(AreaScaler::Stream(feed, grainy.size(), target, bands[b], bands[b + 1],
                                           streamed.scanLine(bands[b]), streamed.bytesPerLine()));
        }
        EXPECT_EQ(streamed, expected);
    }

    // A feed that fails, and a band outside the target, give nothing.
    QImage out(10, 10, QImage::Format_RGB32);
    const QImage small(5, 5, QImage::Format_RGB32);
    CheckedFeed empty(small, 50);
    EXPECT_FALSE(AreaScaler::Stream(empty, QSize(20, 20), QSize(10, 10), 0, 10, out.bits(), out.bytesPerLine()));
    EXPECT_FALSE(AreaScaler::Stream(empty, QSize(5, 5), QSize(10, 10), 4, 11, out.bits(), out.bytesPerLine()));
}
