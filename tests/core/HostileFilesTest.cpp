// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The picture loader against files made to hurt it: special files named like
// photos, huge sparse files, and tiny files whose headers claim pictures
// that would take hundreds of megabytes to decode. Each is refused, or
// loaded reduced, in bounded memory; none blocks.

#include "support/HostileFiles.h"
#include "pictures/Picture.h"
#include "support/ProcessMemory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Peak memory growth allowed for one load, ASan's overhead included.
constexpr qint64 kMaxGrowthMb = 300;

// Loads path with the given limit; returns whether it loaded and the growth
// of the peak resident memory in MB (-1 where it cannot be measured).
std::pair<bool, qint64> LoadMeasured(const QString& path, QSize limit)
{
    const bool measured = ResetPeakRss();
    const qint64 before = ProcStatusKb("VmRSS");
    CxImage picture;
    picture.SetMaxDecodeSize(limit);
    const bool loaded = picture.Load(path, FindType(FindExtension(path)));
    if (loaded) {
        const QSize decoded = picture.GetDecodedSize();
        EXPECT_TRUE(limit.isEmpty() || (decoded.width() <= limit.width() && decoded.height() <= limit.height()));
    }
    const qint64 growth = measured && before > 0 ? (ProcStatusKb("VmHWM") - before) / 1024 : -1;
    return {loaded, growth};
}

} // namespace

TEST(HostileFiles, SpecialFilesNamedLikePhotosAreRefusedWithoutReading)
{
    QTemporaryDir dir;
    const QByteArray jpegStart("\xFF\xD8\xFF\xE0", 4);
    const struct {
        const char* name;
        std::function<bool(const QString&)> make;
    } cases[] = {
        {"z.jpg", [](const QString& p) { return hostile::MakeFifo(p); }},
        {"zero.jpg", [](const QString& p) { return QFile::link("/dev/zero", p); }},
        {"folder.png", [](const QString& p) { return QDir().mkdir(p); }},
        {"sparse.jpg", [](const QString& p) { return hostile::MakeSparseFile(p, qint64{500} << 20); }},
        {"sparse-with-header.jpg",
         [&](const QString& p) { return hostile::MakeSparseFile(p, qint64{500} << 20, jpegStart); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(c.name);
        ASSERT_TRUE(c.make(path));
        const qint64 before = BytesReadSoFar();
        CxImage picture;
        EXPECT_FALSE(picture.Load(path, FindType(FindExtension(path))));
        EXPECT_FALSE(picture.IsValid());
        if (before >= 0) {
            EXPECT_LT(BytesReadSoFar() - before, 1 << 20) << "read more than the header";
        }
    }
}

TEST(HostileFiles, DecompressionBombsAreRefusedOrLoadedWithinBoundedMemory)
{
    QTemporaryDir dir;
    const struct {
        const char* name;
        QByteArray bytes;
        bool loads; // a real picture that must still load, reduced
    } cases[] = {
        {"progressive-16384.jpg", hostile::JpegClaiming(16384, 16384, true), false},
        {"screen-11585.gif", hostile::GifWithScreen(11585, 11585), false},
        {"frame-12154x257.gif", hostile::GifWithScreen(3393, 11585, 12154, 257), false},
        {"grey-11585.png", hostile::ZeroPng(11585, 11585, 8, 0), false},
        {"rgba16-8192.png", hostile::ZeroPng(8192, 8192, 16, 6), false},
        {"baseline-100mp.jpg", hostile::JpegClaiming(10000, 10000, false), true},
    };
    // An 8-bit BMP takes four bytes a pixel once decoded, not one.
    const QString bmp = dir.filePath("8bit-8000.bmp");
    ASSERT_TRUE(hostile::MakeSparseFile(bmp, hostile::Bmp8Headers(8000, 8000).size() + qint64{8000} * 8000,
                                        hostile::Bmp8Headers(8000, 8000)));
    EXPECT_FALSE(LoadMeasured(bmp, QSize()).first);
    ASSERT_TRUE(hostile::MakeSparseFile(bmp, hostile::Bmp8Headers(2000, 2000).size() + qint64{2000} * 2000,
                                        hostile::Bmp8Headers(2000, 2000)));
    EXPECT_TRUE(LoadMeasured(bmp, QSize()).first);

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(c.name);
        ASSERT_TRUE(hostile::WriteBytes(path, c.bytes));
        for (const QSize limit : {QSize(512, 512), QSize()}) {
            const auto [loaded, growthMb] = LoadMeasured(path, limit);
            EXPECT_EQ(loaded, c.loads) << "limit " << limit.width();
            EXPECT_LT(growthMb, kMaxGrowthMb) << "limit " << limit.width();
        }
    }
}
