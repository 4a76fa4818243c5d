// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/JpegScaledDecode.h"
#include "pictures/AreaScaler.h"
#include "support/PictureFixtures.h"
#include "support/ScaleReference.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QThreadPool>
#include <gtest/gtest.h>

namespace {

// What Qt's reader gives for libjpeg's reduction to `reduced`, shrunk to
// target by ShrinkImage: the way to the same pixels with everything held.
QImage QtWay(const QByteArray& jpeg, QSize reduced, QSize target)
{
    QBuffer buffer;
    buffer.setData(jpeg);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    reader.setScaledSize(reduced);
    const QImage decoded = reader.read().convertToFormat(QImage::Format_RGB32);
    return decoded.size() == target ? decoded : ShrinkImage(decoded, target);
}

// A progressive JPEG: libjpeg holds its coefficients and passes over the
// rows above a band from those.
QByteArray Progressive(const QImage& image)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(true);
    EXPECT_TRUE(writer.write(image));
    return buffer.data();
}

} // namespace

TEST(JpegScaledDecodeTest, GivesTheReducedDecodeShrunkWhateverTheBandsAndThreads)
{
    const QSize stored(2400, 1600);
    const QByteArray files[] = {fixtures::Encode(lanczos::GrainyRamps(stored), "jpeg", 90),
                                Progressive(lanczos::GrainyRamps(stored))};
    struct Case {
        QSize target;
        int eighths;
    };
    const Case cases[] = {
        {{250, 167}, 1},   // a preview: an eighth, one thread
        {{1100, 600}, 4},  // a screen: a half, in two bands on two threads
        {{600, 400}, 2},   // exactly a quarter: decoded straight, no filter
        {{2400, 1600}, 8}, // the whole picture
        {{1300, 500}, 8},  // wider than the half: from the whole picture
    };
    const int threads = QThreadPool::globalInstance()->maxThreadCount();
    for (const QByteArray& jpeg : files)
        for (const Case& c : cases)
            for (const bool poolFree : {true, false}) {
                SCOPED_TRACE(testing::Message()
                             << (&jpeg == files ? "baseline " : "progressive ") << c.target.width() << "x"
                             << c.target.height() << " pool " << (poolFree ? "free" : "busy"));
                ASSERT_EQ(JpegCoveringEighths(stored, c.target), c.eighths);
                QThreadPool::globalInstance()->setMaxThreadCount(poolFree ? std::max(threads, 2) : 0);
                const QImage image = DecodeJpegScaled(jpeg, stored, c.target, &jpeg != files);
                QThreadPool::globalInstance()->setMaxThreadCount(threads);
                ASSERT_EQ(image.size(), c.target);
                ASSERT_EQ(image.format(), QImage::Format_RGB32);
                const QImage qtWay = QtWay(jpeg, JpegReducedSize(stored, c.eighths), c.target);
                // A baseline eighth is made without libjpeg (JpegEighthDecode).
                if (c.eighths == 1 && &jpeg == files)
                    EXPECT_GT(lanczos::Psnr(image, qtWay), 50.0);
                else
                    EXPECT_EQ(image, qtWay);
            }
}

TEST(JpegScaledDecodeTest, LeavesGreyAndBrokenFilesToTheCaller)
{
    const QImage colour = lanczos::GrainyRamps({320, 240});
    const QByteArray grey = fixtures::Encode(colour.convertToFormat(QImage::Format_Grayscale8), "jpeg");
    EXPECT_TRUE(DecodeJpegScaled(grey, {320, 240}, {100, 75}, false).isNull());

    const QByteArray jpeg = fixtures::Encode(colour, "jpeg");
    EXPECT_TRUE(DecodeJpegScaled(fixtures::Garbage(5000), {320, 240}, {100, 75}, false).isNull());
    EXPECT_TRUE(DecodeJpegScaled(jpeg, {320, 240}, {}, false).isNull());
}

TEST(JpegScaledDecodeTest, CostCountsBothBandsButNeverTheWholeReduction)
{
    const QSize stored(6000, 4000);
    const QSize screen(1920, 1080);
    const qint64 cost = JpegScaledDecodeCost(stored, 0, screen);
    EXPECT_GE(cost, qint64{1920} * 1080 * 4);
    EXPECT_LT(cost, qint64{3000} * 2000 * 4 / 2);
    // A multi-pass JPEG's coefficients are held once, by its one band.
    const qint64 ring = (cost - qint64{1920} * 1080 * 4) / 2;
    EXPECT_EQ(JpegScaledDecodeCost(stored, 1000, screen), qint64{1920} * 1080 * 4 + ring + 1000);
}
